#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/support/KernelTestImages.h"
#include "platform/GlobalMem.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

std::vector<uint8_t> Bytes(HGLOBAL block, size_t count)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    std::vector<uint8_t> copy(bytes, bytes + count);
    GlobalFree(block);
    return copy;
}

TEST(Resize, SamplingPositionsHaveNoHalfPixelOffset)
{
    CImgKernels context;
    const uint8_t four[4] = {10, 20, 30, 40};
    uint8_t two[2] = {};
    ASSERT_EQ(1, context.ResizeNearest(four, 4, 1, 1, two, 2, 1));
    EXPECT_EQ((std::vector<uint8_t>{10, 30}), std::vector<uint8_t>(two, two + 2));

    // Positions 0, 0.5, 1 and 1.5 (clamped to 1); each of the three bytes on its own.
    const uint8_t pair[6] = {0, 10, 255, 100, 20, 0};
    uint8_t wide[12] = {};
    ASSERT_EQ(1, context.ResizeBilinear(pair, 2, 1, 3, wide, 4, 1));
    EXPECT_EQ((std::vector<uint8_t>{0, 10, 255, 50, 15, 127, 100, 20, 0, 100, 20, 0}),
              std::vector<uint8_t>(wide, wide + 12));
    // The same positions down the rows.
    const uint8_t column[2] = {0, 101};
    uint8_t tall[4] = {};
    ASSERT_EQ(1, context.ResizeBilinear(column, 1, 2, 1, tall, 1, 4));
    EXPECT_EQ((std::vector<uint8_t>{0, 50, 101, 101}), std::vector<uint8_t>(tall, tall + 4));
}

TEST(Resize, PaletteBlendsGoToTheNearestEntry)
{
    const uint32_t palette[3] = {MakePaletteEntry(0, 0, 0), MakePaletteEntry(255, 255, 255),
                                 MakePaletteEntry(128, 128, 128)};
    const uint8_t pair[2] = {0, 1};
    uint8_t wide[4] = {};
    CImgKernels context;
    ASSERT_EQ(1, context.ResizePaletteBilinear(pair, 2, 1, 3, palette, wide, 4, 1));
    EXPECT_EQ((std::vector<uint8_t>{0, 2, 1, 1}), std::vector<uint8_t>(wide, wide + 4));
    // An index beyond the palette reads black, not past the table.
    const uint8_t stray[2] = {200, 1};
    ASSERT_EQ(1, context.ResizePaletteBilinear(stray, 2, 1, 3, palette, wide, 4, 1));
    EXPECT_EQ(0, wide[0]);
}

TEST(Resize, OneBitRowsTakeTheNearerPixelAndHalfwayTakesTheNext)
{
    // 2 x 2: row 0 = pixels 1 0, row 1 = pixels 0 1.
    const uint8_t bits[2] = {0x80, 0x40};
    uint8_t out[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    CImgKernels context;
    ASSERT_EQ(1, context.ResizeRounded1(bits, 2, 2, out, 4, 4));
    // Positions 0, 0.5, 1, 1.5 pick source 0, 1, 1, 1 in both directions.
    EXPECT_EQ((std::vector<uint8_t>{0x80, 0x70, 0x70, 0x70}), std::vector<uint8_t>(out, out + 4));
}

TEST(Resize, RefusalsHugeTargetsAndCancel)
{
    const std::vector<uint8_t> pixels = RandomBytes(8 * 6 * 3, 6);
    std::vector<uint8_t> target(4 * 3 * 3, 0);
    CImgKernels context;
    EXPECT_EQ(0, context.ResizeNearest(pixels.data(), 8, 6, 3, target.data(), 0, 3));
    EXPECT_STREQ("Invalid Parameter!", context.GetErrorText().GetText());
    EXPECT_EQ(0, context.ResizeBilinear(pixels.data(), 8, 6, 3, target.data(), 70000, 70000));
    EXPECT_STREQ("Out of memory!", context.GetErrorText().GetText());

    using Resize = int (CImgKernels::*)(const BYTE*, int, int, int, BYTE*, int, int);
    for (Resize resize : {&CImgKernels::ResizeNearest, &CImgKernels::ResizeBilinear}) {
        RecordingSink sink(2);
        CImgKernels canceled(&sink);
        const std::vector<uint8_t> before = pixels;
        EXPECT_EQ(0, (canceled.*resize)(pixels.data(), 8, 6, 3, target.data(), 4, 3));
        EXPECT_STREQ("Operation canceled!", canceled.GetErrorText().GetText());
        EXPECT_EQ(1, sink.ends);
        EXPECT_EQ(before, pixels);
    }
}

TEST(Resize, CropOfOneBitRows)
{
    std::vector<uint8_t> bits(20, 0);
    bits[0] = 0x1D;  // pixels 3, 4, 5 and 7 of row 0
    std::vector<uint8_t> out(1, 0);
    CImgKernels context;
    ASSERT_EQ(1, context.CropBits(bits.data(), out.data(), 10, 10, 3, 0, 5, 1));
    EXPECT_EQ(0xE8, out[0]);
}

TEST(DepthConversion, BitsBecomeIndicesOrColours)
{
    const uint8_t bits[2] = {0xA0, 0x40};  // 3 x 2: 1 0 1 / 0 1 0
    const uint32_t palette[2] = {MakePaletteEntry(9, 8, 7), MakePaletteEntry(1, 2, 3)};
    uint32_t targetPalette[256];
    CImgKernels context;
    HGLOBAL block = nullptr;
    ASSERT_EQ(1, context.Convert1To8(bits, 3, 2, 0, nullptr, block, targetPalette));
    EXPECT_EQ((std::vector<uint8_t>{1, 0, 1, 0, 1, 0}), Bytes(block, 6));
    EXPECT_EQ(MakePaletteEntry(0, 0, 0), targetPalette[0]);
    EXPECT_EQ(MakePaletteEntry(255, 255, 255), targetPalette[1]);
    EXPECT_EQ(0u, targetPalette[2]);
    ASSERT_EQ(1, context.Convert1To24(bits, 3, 2, 2, palette, block));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 9, 8, 7, 1, 2, 3, 9, 8, 7, 1, 2, 3, 9, 8, 7}), Bytes(block, 18));
}

TEST(DepthConversion, EightToOneIgnoresThePalette)
{
    const uint8_t indices[10] = {0, 1, 2, 255, 0, 0, 0, 0, 7, 0};
    CImgKernels context;
    HGLOBAL block = nullptr;
    ASSERT_EQ(1, context.Convert8To1(indices, 10, 1, block));
    EXPECT_EQ((std::vector<uint8_t>{0x70, 0x80}), Bytes(block, 2));
}

TEST(DepthConversion, TwentyFourBitsThroughTheQuantizers)
{
    // Two colours at histogram-cell centres, so the two-pass palette holds them exactly.
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 12; ++i)
        rgb.insert(rgb.end(), {uint8_t(i % 3 ? 4 : 252), uint8_t(i % 3 ? 2 : 250), uint8_t(i % 3 ? 4 : 252)});
    CImgKernels context;
    uint32_t palette[256] = {};
    int count = 0;
    HGLOBAL block = nullptr;
    ASSERT_EQ(1, context.Convert24To1(rgb.data(), 4, 3, block, palette, count));
    EXPECT_EQ(2, count);
    const std::vector<uint8_t> bits = Bytes(block, 3);
    for (int i = 0; i < 12; ++i) {
        const bool set = (bits[i / 4] & (0x80 >> (i % 4))) != 0;
        EXPECT_EQ(rgb[i * 3], PaletteRed(palette[set ? 1 : 0])) << i;
    }
    for (bool twoPass : {false, true}) {
        ASSERT_EQ(1, context.Convert24To8(rgb.data(), 4, 3, twoPass, 2, block, palette, count));
        const std::vector<uint8_t> indices = Bytes(block, 12);
        EXPECT_EQ(PaletteRed(palette[indices[0]]), twoPass ? 252 : 255);
        EXPECT_EQ(PaletteRed(palette[indices[1]]), twoPass ? 4 : 0);
    }
    const uint8_t indices[4] = {0, 1, 1, 0};
    const uint32_t twoColors[2] = {MakePaletteEntry(252, 250, 252), MakePaletteEntry(4, 2, 4)};
    ASSERT_EQ(1, context.Convert8To1ViaColor(indices, 4, 1, 2, twoColors, block, palette, count));
    const std::vector<uint8_t> viaColor = Bytes(block, 1);
    EXPECT_EQ(PaletteRed(palette[(viaColor[0] & 0x40) ? 1 : 0]), 4);
    EXPECT_EQ(PaletteRed(palette[(viaColor[0] & 0x80) ? 1 : 0]), 252);
}

}  // namespace
