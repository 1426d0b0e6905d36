#include <gtest/gtest.h>

#include <vector>

#include "image/core/ImagePalette.h"
#include "image/dib/DibRows.h"
#include "image/kernels/ImgKernels.h"

using namespace ZAV;

namespace {

using Bytes = std::vector<BYTE>;

Bytes Row16ToImage(uint16_t pixel, const uint32_t* masks)
{
    const BYTE source[2] = {static_cast<BYTE>(pixel & 0xFF), static_cast<BYTE>(pixel >> 8)};
    Bytes rgb(3, 0xEE);
    CImgKernels kernels;
    kernels.DibRowToImage(source, rgb.data(), 1, 16, nullptr, masks);
    return rgb;
}

TEST(DibRows, SixteenBitPixelsRepeatTheirHighBits)
{
    const uint32_t masks555[] = {0x7C00, 0x03E0, 0x001F};
    const uint32_t masks565[] = {0xF800, 0x07E0, 0x001F};
    const uint32_t noMasks[] = {0, 0, 0};
    const uint32_t wideRed[] = {0xFFF0, 0x000F, 0xFFFF0000};
    const struct {
        uint16_t pixel;
        const uint32_t* masks;
        Bytes rgb;
    } cases[] = {
        {0x0000, nullptr, {0, 0, 0}},
        {0x7FFF, nullptr, {255, 255, 255}},
        {0x0000, masks555, {0, 0, 0}},
        {0x7FFF, masks555, {255, 255, 255}},
        {0x0421, nullptr, {8, 8, 8}},           // 1 in each 5-bit field: (1 << 3) | (1 >> 2)
        {0x4210, masks555, {132, 132, 132}},    // 16: (16 << 3) | (16 >> 2)
        {0x07E0, masks565, {0, 255, 0}},
        {0x0020, masks565, {0, 4, 0}},          // 1 in the 6-bit field: (1 << 2) | (1 >> 4)
        {0xF800, masks565, {255, 0, 0}},
        {0xFFFF, noMasks, {0, 0, 0}},
        {0xABCD, wideRed, {0xAB, 0xDD, 0}},     // 12 bits give their top 8; 4 bits repeat; only 16 bits count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.pixel);
        EXPECT_EQ(c.rgb, Row16ToImage(c.pixel, c.masks));
    }
}

TEST(DibRows, IndexedAndTrueColourRowsComeOutRedFirst)
{
    std::vector<uint32_t> palette(256, 0);
    palette[0] = MakePaletteEntry(1, 2, 3);
    palette[1] = MakePaletteEntry(4, 5, 6);
    palette[10] = MakePaletteEntry(7, 8, 9);
    palette[200] = MakePaletteEntry(10, 11, 12);
    const struct {
        int bits;
        Bytes source;
        int count;
        Bytes rgb;
    } cases[] = {
        {1, {0b01000000}, 3, {1, 2, 3, 4, 5, 6, 1, 2, 3}},
        {4, {0xA1}, 2, {7, 8, 9, 4, 5, 6}},
        {8, {200, 0}, 2, {10, 11, 12, 1, 2, 3}},
        {24, {3, 2, 1, 6, 5, 4}, 2, {1, 2, 3, 4, 5, 6}},
        {32, {3, 2, 1, 99, 6, 5, 4, 99}, 2, {1, 2, 3, 4, 5, 6}},
        {48, {1, 2, 3, 4, 5, 6}, 1, {5, 6, 3, 4, 1, 2}},
        {2, {0xFF}, 1, {0xEE, 0xEE, 0xEE}},  // bit counts without a rule do nothing
    };
    CImgKernels kernels;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        Bytes rgb(c.rgb.size(), 0xEE);
        kernels.DibRowToImage(c.source.data(), rgb.data(), c.count, c.bits, palette.data(), nullptr);
        EXPECT_EQ(c.rgb, rgb);
    }
}

TEST(DibRows, ImageRowsGoBottomUpWithChannelsReversed)
{
    const Bytes image = {1, 2, 3, 4, 5, 6};  // 1 x 2: top pixel, bottom pixel
    Bytes dib(2 * 4, 0xEE);
    ASSERT_EQ(0, ImageToDib24(image.data(), dib.data(), 1, 2, 4));
    EXPECT_EQ((Bytes{6, 5, 4, 0xEE, 3, 2, 1, 0xEE}), dib);

    const Bytes image48 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    Bytes dib48(12, 0);
    ASSERT_EQ(0, ImageToDib48(image48.data(), dib48.data(), 1, 2, 6));
    EXPECT_EQ((Bytes{11, 12, 9, 10, 7, 8, 5, 6, 3, 4, 1, 2}), dib48);

    EXPECT_EQ(105, ImageToDib24(nullptr, dib.data(), 1, 2, 4));
    EXPECT_EQ(105, ImageToDib24(image.data(), dib.data(), 0, 2, 4));
    EXPECT_EQ(105, ImageToDib24(image.data(), dib.data(), 2, 1, 4));  // a row needs 6 bytes
    EXPECT_EQ(105, ImageToDib48(image48.data(), nullptr, 1, 2, 6));
}

TEST(DibRows, IndicesPackIntoOneBitStream)
{
    const struct {
        int width, height, bits;
        Bytes values;
        Bytes packed;
    } cases[] = {
        {3, 3, 1, {1, 0, 1, 1, 1, 0, 0, 1, 1}, {0b10111001, 0b10000000}},
        {3, 1, 4, {0xA, 0x1F, 0x3}, {0xAF, 0x30}},
        {5, 1, 3, {1, 2, 3, 4, 5}, {0b00101001, 0b11001010}},
        {2, 1, 8, {7, 250}, {7, 250}},
    };
    CImgKernels kernels;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        Bytes packed(c.packed.size(), 0xEE);
        ASSERT_EQ(1, kernels.PackIndices(c.values.data(), c.width, c.height, packed.data(), c.bits));
        EXPECT_EQ(c.packed, packed);
        if (c.bits == 1 || c.bits == 4 || c.bits == 8) {
            Bytes unpacked(c.values.size());
            UnpackIndices(packed.data(), unpacked.data(), static_cast<int>(c.values.size()), c.bits);
            Bytes masked = c.values;
            for (BYTE& v : masked)
                v &= static_cast<BYTE>((1 << c.bits) - 1);
            EXPECT_EQ(masked, unpacked);
        }
    }
    Bytes out(4);
    EXPECT_EQ(0, kernels.PackIndices(out.data(), 1, 1, out.data(), 9));
    EXPECT_EQ(105, kernels.GetErrorCode());
    EXPECT_EQ(0, kernels.PackIndices(nullptr, 1, 1, out.data(), 1));
}

TEST(DibRows, SwapsAndRowCopies)
{
    Bytes rgb = {1, 2, 3, 4, 5, 6};
    CImgKernels kernels;
    EXPECT_EQ(1, kernels.SwapRedBlue(rgb.data(), 2, 1));
    EXPECT_EQ((Bytes{3, 2, 1, 6, 5, 4}), rgb);
    EXPECT_EQ(0, kernels.SwapRedBlue(nullptr, 2, 1));
    EXPECT_EQ(105, kernels.GetErrorCode());

    Bytes rgb48 = {1, 2, 3, 4, 5, 6};
    SwapRedBlue48(rgb48.data(), 1, 1);
    EXPECT_EQ((Bytes{5, 6, 3, 4, 1, 2}), rgb48);

    const Bytes source = {1, 2, 3, 4, 5, 6};
    Bytes target(4, 0);
    ASSERT_EQ(1, kernels.CopyRows(source.data(), 3, 2, 2, target.data()));
    EXPECT_EQ(0, kernels.GetErrorCode());
    EXPECT_EQ((Bytes{1, 2, 4, 5}), target);
    EXPECT_EQ(0, kernels.CopyRows(source.data(), 3, 2, 2, nullptr));
    EXPECT_EQ(105, kernels.GetErrorCode());
}

}  // namespace
