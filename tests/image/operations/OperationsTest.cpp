#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "image/object/ZAVImg.h"
#include "image/operations/ToneOperations.h"
#include "image/support/ImageTestSupport.h"
#include "platform/GlobalMem.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::ThrownText;

namespace {

void FillPattern(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_EQ(image.Create(width, height, depth), 1);
    BYTE* bits = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        bits[i] = static_cast<BYTE>(i * 7 + 3);
}

std::vector<BYTE> Pixels(const CZAVImg& image)
{
    const BYTE* bits = static_cast<const BYTE*>(image.GetImageData());
    return std::vector<BYTE>(bits, bits + image.GetImageSize());
}

std::vector<uint32_t> PaletteOf(const CZAVImg& image)
{
    const CImagePalette& palette = image.GetPalette();
    return std::vector<uint32_t>(palette.GetEntries(), palette.GetEntries() + palette.GetCount());
}

struct Snapshot {
    explicit Snapshot(const CZAVImg& image)
        : width(image.GetWidth()), height(image.GetHeight()), depth(image.GetBitsPerPixel()), pixels(Pixels(image)),
          palette(PaletteOf(image))
    {
    }
    bool operator==(const Snapshot& o) const
    {
        return width == o.width && height == o.height && depth == o.depth && pixels == o.pixels && palette == o.palette;
    }
    int width, height, depth;
    std::vector<BYTE> pixels;
    std::vector<uint32_t> palette;
};

using Operation = std::function<void(CZAVImg&)>;

TEST(ImageOperations, CancelAtFirstReportThrowsAndKeepsTheImage)
{
    const struct {
        const char* name;
        int depth;
        Operation run;
    } cases[] = {
        {"invert", 24, [](CZAVImg& i) { i.InvertImage(); }},
        {"resize", 24, [](CZAVImg& i) { i.Resize(40, 30, true); }},
        {"rotate 30", 24, [](CZAVImg& i) { i.Rotate(30); }},
        {"rotate 90", 8, [](CZAVImg& i) { i.Rotate(90); }},
        {"flip", 8, [](CZAVImg& i) { i.FlipHorizontal(); }},
        {"gray", 24, [](CZAVImg& i) { i.ConvertToGray(); }},
        {"gray8", 24, [](CZAVImg& i) { i.ConvertToGray8(); }},
        {"24 to 8", 24, [](CZAVImg& i) { i.ConvertBitDepth(8, 2, 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingSink sink(1);
        CZAVImg image(&sink);
        FillPattern(image, 23, 17, c.depth);
        const Snapshot before(image);
        EXPECT_EQ(ThrownText([&] { c.run(image); }), "Operation canceled!");
        EXPECT_TRUE(Snapshot(image) == before);
    }
}

TEST(ImageOperations, ResizeKeepsOldPixelsWhenAllocationFails)
{
    CZAVImg image;
    FillPattern(image, 10, 8, 24);
    const Snapshot before(image);
    SetGlobalAllocFailures(1);
    EXPECT_EQ(ThrownText([&] { image.Resize(20, 16, false); }), "Error");
    SetGlobalAllocFailures(0);
    EXPECT_TRUE(Snapshot(image) == before);
    image.Resize(20, 16, false);
    EXPECT_EQ(image.GetWidth(), 20);
    EXPECT_EQ(image.GetHeight(), 16);
    EXPECT_EQ(Pixels(image)[0], before.pixels[0]);
}

TEST(ImageOperations, InterpolatedResizeOf24BitsFillsThePixels)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(4, 4, 24), 1);
    std::memset(image.GetImageData(), 0x80, image.GetImageSize());
    image.Resize(9, 7, true);
    for (BYTE b : Pixels(image))
        ASSERT_EQ(b, 0x80);
}

TEST(ImageOperations, DepthRefusalsAndTexts)
{
    const struct {
        const char* name;
        int depth;
        Operation run;
        const char* text;
    } cases[] = {
        {"rotate 1", 1, [](CZAVImg& i) { i.Rotate(90); },
         "Can't rotate 1 BitPerPixel Images! Please convert it to a different format."},
        {"rotate 16", 16, [](CZAVImg& i) { i.Rotate(90); }, "Error"},
        {"rotate NaN", 24, [](CZAVImg& i) { i.Rotate(std::nan("")); }, "Invalid Parameter!"},
        {"rotate +inf", 8, [](CZAVImg& i) { i.Rotate(HUGE_VAL); }, "Invalid Parameter!"},
        {"rotate -inf", 24, [](CZAVImg& i) { i.Rotate(-HUGE_VAL); }, "Invalid Parameter!"},
        {"rotate NaN, unequal dpi", 24,
         [](CZAVImg& i) {
             i.SetResolution(100, 300, kResolutionUnitInch);
             i.RotateWithResolution(std::nan(""));
         },
         "Invalid Parameter!"},
        {"gray 8", 8, [](CZAVImg& i) { i.ConvertToGray(); },
         "Requires 24bpp Images! Please convert it to 24bpp format."},
        {"lut 1", 1, [](CZAVImg& i) { i.ApplyLookupTable(nullptr); },
         "Requires 8bpp grayscale Images! Please convert it to grayscale format."},
        {"brightness 1", 1, [](CZAVImg& i) { i.AdjustBrightnessContrast(10, 10); },
         "Requires 8bpp or 24bpp Images! Please convert it to 24bpp format."},
        {"brightness 32", 32, [](CZAVImg& i) { i.AdjustBrightnessContrast(10, 10); }, "Error"},
        {"resize 16", 16, [](CZAVImg& i) { i.Resize(4, 4, false); }, "Error"},
        {"resize to 0", 24, [](CZAVImg& i) { i.Resize(0, 4, false); }, "Error"},
        {"depth 16", 24, [](CZAVImg& i) { i.ConvertBitDepth(16, 2, 1); }, "Invalid destination Bitdepth"},
        {"from 16", 16, [](CZAVImg& i) { i.ConvertBitDepth(8, 2, 1); }, "Error"},
        {"allowed none", 24, [](CZAVImg& i) { i.ConvertToAllowedBitDepth({16}); },
         "Can't convert to required bitdepth!"},
        {"invert 48", 48, [](CZAVImg& i) { i.InvertImage(); }, "Error"},
        {"histogram count", 8, [](CZAVImg& i) { i.CreateHistogramImage(nullptr, 255, 10); },
         "Histogram array size has to be 256!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillPattern(image, 6, 5, c.depth);
        const Snapshot before(image);
        EXPECT_EQ(ThrownText([&] { c.run(image); }), c.text);
        EXPECT_TRUE(Snapshot(image) == before);
    }
}

TEST(ImageOperations, EmptyImageStaysUnchanged)
{
    CRecordingSink sink;
    CZAVImg image(&sink);
    image.InvertImage();
    image.Resize(4, 4, true);
    image.Rotate(45);
    image.ConvertToGray();
    image.AdjustBrightnessContrast(50, 0);
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(sink.changedCalls, 0);
}

TEST(ImageOperations, ConvertToAllowedDepthChains)
{
    const struct {
        int from;
        std::set<int> allowed;
        int to;
    } cases[] = {
        {32, {8}, 8}, {1, {24}, 24}, {1, {32}, 24}, {24, {9}, 8}, {8, {24, 1}, 24}, {8, {1}, 1}, {24, {32, 24}, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        CZAVImg image;
        FillPattern(image, 6, 4, c.from);
        image.ConvertToAllowedBitDepth(c.allowed);
        EXPECT_EQ(image.GetBitsPerPixel(), c.to);
        EXPECT_EQ(image.GetImageSize(), CZAVImgBase::CalcImageSize(6, 4, c.to));
    }
}

TEST(ImageOperations, EightAndThirtyTwoBitStepsKeepTheColours)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(4, 1, 24), 1);
    const BYTE rgb[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 0};
    std::memcpy(image.GetImageData(), rgb, 12);
    image.ConvertBitDepth(8, 2, 1);
    ASSERT_EQ(image.GetBitsPerPixel(), 8);
    image.ConvertBitDepth(32, 2, 1);
    ASSERT_EQ(image.GetBitsPerPixel(), 32);
    image.ConvertBitDepth(24, 2, 1);
    // The quantizer keeps each colour within a few steps.
    const std::vector<BYTE> back = Pixels(image);
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(back[i], rgb[i], 4) << i;
}

TEST(ImageOperations, RotateMinus90Equals270)
{
    CZAVImg first;
    FillPattern(first, 7, 4, 24);
    CZAVImg second;
    first.CopyTo(second);
    first.Rotate(-90);
    second.Rotate(270);
    EXPECT_EQ(first.GetWidth(), 4);
    EXPECT_EQ(first.GetHeight(), 7);
    EXPECT_TRUE(Snapshot(first) == Snapshot(second));
}

TEST(ImageOperations, BrightnessOnAColourPaletteChangesThePaletteOnly)
{
    CZAVImg image;
    FillPattern(image, 5, 5, 8);
    image.GetPalette().SetEntry(0, 0x00204080);
    const Snapshot before(image);
    image.AdjustBrightnessContrast(50, 0);
    EXPECT_EQ(Pixels(image), before.pixels);
    EXPECT_NE(PaletteOf(image), before.palette);
}

TEST(ImageOperations, AllZeroHistogramGivesABlankImage)
{
    std::vector<uint32_t> values(256, 0);
    CZAVImg image;
    image.CreateHistogramImage(values.data(), 256, 12);
    ASSERT_EQ(image.GetWidth(), 256);
    ASSERT_EQ(image.GetHeight(), 12);
    for (BYTE b : Pixels(image))
        ASSERT_EQ(b, 255);
    values[3] = 10;
    values[4] = 5;
    image.CreateHistogramImage(values.data(), 256, 12);
    const std::vector<BYTE> bars = Pixels(image);
    EXPECT_EQ(bars[0 * 256 + 3], 0);    // the largest value reaches the top
    EXPECT_EQ(bars[5 * 256 + 4], 255);  // half of it stops at mid height
    EXPECT_EQ(bars[6 * 256 + 4], 0);
}

TEST(ImageOperations, IdentityCurveLeavesTheImageUnchanged)
{
    const int controls[] = {0, 100};
    int table[256];
    ASSERT_EQ(InterpolateCurve(controls, 2, table, 256, 0), 1);
    BYTE lut[256];
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(table[i], i);
        lut[i] = static_cast<BYTE>(table[i]);
    }
    CZAVImg image;
    FillPattern(image, 9, 6, 24);
    const Snapshot before(image);
    image.ApplyLookupTable(lut);
    EXPECT_TRUE(Snapshot(image) == before);
}

TEST(ImageOperations, MinIsBlackInvertsAnInvertedBitonalImage)
{
    CZAVImg image;
    FillPattern(image, 8, 2, 1);
    image.GetPalette().SetEntry(0, 0x00FFFFFF);
    image.GetPalette().SetEntry(1, 0x00000000);
    const std::vector<BYTE> before = Pixels(image);
    image.SetMinIsWhite();
    EXPECT_EQ(Pixels(image), before);
    image.SetMinIsBlack();
    EXPECT_EQ(image.GetPalette().GetEntries()[0], 0u);
    EXPECT_EQ(Pixels(image)[0], static_cast<BYTE>(~before[0]));
}

}  // namespace
