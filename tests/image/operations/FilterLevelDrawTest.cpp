// The filter, colour, level, threshold, contour and drawing operations of
// the image object: their depth refusals and texts, cancels that leave the
// image as it was, and what they do to small pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "image/object/ZAVImg.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::ThrownText;

namespace {

using Operation = std::function<void(CZAVImg&)>;

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
    return bits ? std::vector<BYTE>(bits, bits + image.GetImageSize()) : std::vector<BYTE>();
}

const int32_t kIdentity3x3[] = {0, 0, 0, 0, 1, 0, 0, 0, 0};
const int kRamp[256] = {};

TEST(FilterLevelDraw, DepthRefusalsAndTexts)
{
    const char* kFilterDepth = "Requires Grayscale or 24bpp Images! Please convert it to 24bpp format.";
    const struct {
        const char* name;
        int depth;  // 0: an image without pixels
        Operation run;
        const char* text;
    } cases[] = {
        {"sharpen 1", 1, [](CZAVImg& i) { i.Sharpen(50); }, kFilterDepth},
        {"median 16", 16, [](CZAVImg& i) { i.Median(); }, "Error"},
        {"user matrix 3x2 of 9", 24, [](CZAVImg& i) { i.ApplyUserMatrix(kIdentity3x3, 9, 1, 3, 2, 100, false, false); },
         "Array size doesn't match FilterCols and nFilterRows!"},
        {"user matrix 1", 1, [](CZAVImg& i) { i.ApplyUserMatrix(kIdentity3x3, 9, 1, 3, 3, 100, false, false); },
         kFilterDepth},
        {"blur bitonal 8", 8, [](CZAVImg& i) { i.BlurBitonal(); }, "Requires 1bpp Images!"},
        {"hsv 8", 8, [](CZAVImg& i) { i.AdjustHsv(10, 0, 0); },
         "Requires 24bpp Images! Please convert it to 24bpp format."},
        {"replace 8", 8, [](CZAVImg& i) { i.ReplaceColor(0, 1, 0, false, 0); }, "Requires 24bpp Images!"},
        {"black/white 1", 1, [](CZAVImg& i) { i.ConvertToBlackWhite(); }, "Requires 8bpp or 24bpp Images!"},
        {"auto levels 1", 1, [](CZAVImg& i) { i.AutoLevels(1, 1); }, "Requires 8bpp grayscale or 24bpp Image!"},
        {"auto contrast 32", 32, [](CZAVImg& i) { i.AutoContrast(1, 1); }, "Requires 8bpp grayscale or 24bpp Image!"},
        {"threshold 24", 24, [](CZAVImg& i) { i.AdaptiveThreshold(3, 3, 0); }, "Requires 8bpp grayscale Image!"},
        {"threshold empty", 0, [](CZAVImg& i) { i.AdaptiveThreshold(3, 3, 0); }, "Error"},
        {"colours 8", 8, [](CZAVImg& i) { i.AdjustColors(kRamp, 0, kRamp, 0, kRamp, 0, kRamp, 0); },
         "Requires 24bpp Image!"},
        {"colours empty", 0, [](CZAVImg& i) { i.AdjustColors(kRamp, 0, kRamp, 0, kRamp, 0, kRamp, 0); }, "Error"},
        {"contour 24", 24, [](CZAVImg& i) { i.CreateContourImage(3, nullptr, 0); },
         "Requires 8bpp grayscale Images! Please convert it to grayscale format."},
        {"rectangle 16", 16, [](CZAVImg& i) { i.DrawRectangle(0, 0, 2, 2, 0); }, "Error"},
        {"line 48", 48, [](CZAVImg& i) { i.DrawLine(0, 0, 2, 2, 0); }, "Error"},
        {"histogram 1", 1,
         [](CZAVImg& i) {
             std::vector<uint32_t> g, r, gr, b;
             int n = 0;
             i.GetHistogram(g, r, gr, b, n);
         },
         "Requires 8bpp or 24bpp Image!"},
        {"histogram empty", 0,
         [](CZAVImg& i) {
             std::vector<uint32_t> g, r, gr, b;
             int n = 0;
             i.GetHistogram(g, r, gr, b, n);
         },
         "Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        if (c.depth)
            FillPattern(image, 6, 5, c.depth);
        const std::vector<BYTE> before = Pixels(image);
        EXPECT_EQ(ThrownText([&] { c.run(image); }), c.text);
        EXPECT_EQ(Pixels(image), before);
        EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
    }
}

TEST(FilterLevelDraw, CancelAtFirstReportThrowsAndKeepsTheImage)
{
    const struct {
        const char* name;
        int depth;
        Operation run;
    } cases[] = {
        {"sharpen", 24, [](CZAVImg& i) { i.Sharpen(80); }},
        {"gaussian 8", 8, [](CZAVImg& i) { i.GaussianBlur(); }},
        {"user matrix", 24, [](CZAVImg& i) { i.ApplyUserMatrix(kIdentity3x3, 9, 1, 3, 3, 100, false, false); }},
        {"blur bitonal", 1, [](CZAVImg& i) { i.BlurBitonal(); }},
        {"hsv", 24, [](CZAVImg& i) { i.AdjustHsv(40, 10, 10); }},
        {"auto levels", 24, [](CZAVImg& i) { i.AutoLevels(1, 1); }},
        {"threshold", 8, [](CZAVImg& i) { i.AdaptiveThreshold(3, 3, 0); }},
        {"rotate with resolution", 24, [](CZAVImg& i) { i.RotateWithResolution(30); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingSink sink(1);
        CZAVImg image(&sink);
        FillPattern(image, 23, 17, c.depth);
        image.SetXResolution(100);
        image.SetYResolution(50);
        const std::vector<BYTE> before = Pixels(image);
        EXPECT_EQ(ThrownText([&] { c.run(image); }), "Operation canceled!");
        EXPECT_EQ(Pixels(image), before);
        EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
        EXPECT_EQ(image.GetWidth(), 23);
        EXPECT_EQ(image.GetXResolution(), 100);
    }
}

TEST(FilterLevelDraw, FiltersOnSmallPictures)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(5, 5, 8), 1);
    std::memset(image.GetImageData(), 100, 25);
    image.SetPixel8(2, 2, 255);
    image.Median();  // a single speck goes
    EXPECT_EQ(Pixels(image), std::vector<BYTE>(25, 100));

    FillPattern(image, 7, 6, 24);
    const std::vector<BYTE> pattern = Pixels(image);
    image.ApplyUserMatrix(kIdentity3x3, 9, 1, 3, 3, 100, false, false);
    EXPECT_EQ(Pixels(image), pattern);

    FillPattern(image, 9, 3, 1);
    image.BlurBitonal();
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
    EXPECT_TRUE(image.IsGrayScale());
}

TEST(FilterLevelDraw, HistogramsCountThePixels)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(4, 2, 8), 1);
    const BYTE values[8] = {1, 1, 1, 7, 7, 200, 200, 200};
    std::memcpy(image.GetImageData(), values, 8);
    std::vector<uint32_t> gray, red, green, blue;
    int entries = 0;
    image.GetHistogram(gray, red, green, blue, entries);
    ASSERT_EQ(entries, 256);
    EXPECT_EQ(gray[1], 3u);
    EXPECT_EQ(gray[7], 2u);
    EXPECT_EQ(gray[200], 3u);

    ASSERT_EQ(image.Create(2, 1, 24), 1);
    image.SetPixel24(0, 0, RGB(10, 20, 30));
    image.SetPixel24(1, 0, RGB(10, 50, 30));
    image.GetHistogram(gray, red, green, blue, entries);
    EXPECT_EQ(entries, 256);
    EXPECT_EQ(red[10], 2u);
    EXPECT_EQ(green[20], 1u);
    EXPECT_EQ(green[50], 1u);
}

TEST(FilterLevelDraw, ColourAndLevelResults)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(3, 1, 24), 1);
    image.SetPixel24(0, 0, RGB(10, 20, 30));
    image.SetPixel24(1, 0, RGB(11, 21, 31));
    image.SetPixel24(2, 0, RGB(200, 20, 30));
    image.ReplaceColor(RGB(10, 20, 30), RGB(1, 2, 3), 3, false, 0);
    EXPECT_EQ(image.GetPixel24(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(image.GetPixel24(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(image.GetPixel24(2, 0), RGB(200, 20, 30));

    FillPattern(image, 8, 8, 8);
    image.AdaptiveThreshold(3, 3, 0);
    for (BYTE b : Pixels(image))
        ASSERT_TRUE(b == 0 || b == 255);

    FillPattern(image, 6, 6, 8);
    image.m_overlayBlendMode = 7;
    const BYTE profile[] = {0, 128, 255};
    image.CreateContourImage(3, profile, 3);
    EXPECT_EQ(image.m_overlayBlendMode, 7);
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
}

TEST(FilterLevelDraw, RectanglesAndLinesAreClipped)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(4, 3, 8), 1);
    image.DrawRectangle(0, 0, 4, 3, RGB(9, 0, 0));  // the whole image
    EXPECT_EQ(Pixels(image), std::vector<BYTE>(12, 9));
    image.DrawRectangle(2, 1, 10, 10, RGB(5, 0, 0));
    EXPECT_EQ(Pixels(image), (std::vector<BYTE>{9, 9, 9, 9, 9, 9, 5, 5, 9, 9, 5, 5}));

    ASSERT_EQ(image.Create(5, 5, 24), 1);
    image.DrawLine(-3, 2, 9, 2, RGB(1, 2, 3));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.GetPixel24(x, 2), RGB(1, 2, 3));
    EXPECT_EQ(image.GetPixel24(0, 1), RGB(0, 0, 0));
}

TEST(FilterLevelDraw, RotateWithResolutionSquaresThePixelsFirst)
{
    CZAVImg image;
    FillPattern(image, 20, 10, 24);
    image.SetXResolution(100);
    image.SetYResolution(50);
    image.RotateWithResolution(90);
    EXPECT_EQ(image.GetWidth(), 10);
    EXPECT_EQ(image.GetHeight(), 20);
    EXPECT_EQ(image.GetXResolution(), 50);
    EXPECT_EQ(image.GetYResolution(), 100);

    CZAVImg turned;
    FillPattern(turned, 20, 10, 24);
    turned.SetXResolution(100);
    turned.SetYResolution(50);
    turned.RotateWithResolution(45);
    EXPECT_EQ(turned.GetXResolution(), 100);
    EXPECT_EQ(turned.GetYResolution(), 100);
    // 20 x 20 square pixels turned by 45 degrees.
    EXPECT_NEAR(turned.GetWidth(), 28, 1);
    EXPECT_NEAR(turned.GetHeight(), 28, 1);
}

TEST(FilterLevelDraw, BitsPerPixelSetToArray)
{
    const CArraySimple<int32_t, 2> depths = CZAVImg::BitsPerPixelSetToArray({24, 9, 1});
    ASSERT_EQ(depths.GetSize(), 3);
    EXPECT_EQ(depths.GetData()[0], 1);
    EXPECT_EQ(depths.GetData()[1], 9);
    EXPECT_EQ(depths.GetData()[2], 24);
}

}  // namespace
