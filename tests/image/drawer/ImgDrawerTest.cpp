// The drawer on devices of the software graphics layer: units, placement,
// the copy, stretch, bitmap, DrawDib and kernel paths, transparency, the
// antialiased modes' fallbacks, and what a failure leaves behind.
#include "image/drawer/ImgDrawerWithAntialiasing.h"
#include "image/support/ImageTestSupport.h"
#include "platform/MulDiv.h"
#include "platform/SysColor.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/Regions.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace ZAV;
using ZAVTest::CTestImage;
using ZAVTest::PixelAt;

namespace {

HDC TestDC(int size, int bits = 32)
{
    TestDeviceSettings settings;
    settings.width = settings.height = size;
    settings.bitsPixel = bits;
    return CreateTestDC(settings);
}

// A 24-bit image at 96 dpi whose pixel (x, y) is RGB(x * 10, y * 10, 200).
void MakeGradient(CTestImage& image, int width, int height)
{
    ASSERT_TRUE(image.Create(width, height, 24));
    image.SetResolution(96, 96, kResolutionUnitInch);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel24(x, y, RGB(static_cast<BYTE>(x * 10), static_cast<BYTE>(y * 10), 200));
}

// The colour of an image pixel at 1, 8 or 24 bits.
COLORREF ColourAt(const CTestImage& image, int x, int y)
{
    if (image.GetBitsPerPixel() == 24)
        return image.GetPixel24(x, y);
    const BYTE* row = static_cast<const BYTE*>(image.GetImageData()) + y * image.GetBytesPerLine();
    const int index = image.GetBitsPerPixel() == 1 ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x];
    return PaletteEntryToColor(image.GetPalette().GetEntries()[index]);
}

// True when the DC shows the image's pixels at the rectangle.
bool ShowsImageAt(HDC dc, const CTestImage& image, int left, int top)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (PixelAt(dc, left + x, top + y) != ColourAt(image, x, y))
                return false;
    return true;
}

// A 3 x 2 image of each depth with distinct colours.
void MakeIndexed(CTestImage& image, int bits)
{
    ASSERT_TRUE(image.Create(3, 2, bits));
    image.SetResolution(96, 96, kResolutionUnitInch);
    BYTE* data = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        data[i] = static_cast<BYTE>(bits == 1 ? 0xA5 : i * 3 + 1);
    for (int i = 0; i < image.GetPalette().GetCount(); ++i)
        image.GetPalette().SetEntry(
            i, MakePaletteEntry(static_cast<BYTE>(i * 40), static_cast<BYTE>(250 - i * 20), static_cast<BYTE>(i * 7)));
}

}  // namespace

TEST(ImgDrawer, UnitsConvertWithTheDeviceResolution)
{
    HDC dc = TestDC(4);
    EXPECT_EQ(CZAVImgDrawer::ConvertRectToDevice(RECT{10, 0, 20, 10}, 4, dc).left, 38);
    const RECT points = CZAVImgDrawer::ConvertRectToDevice(RECT{0, 0, 72, 36}, 6, dc);  // points
    EXPECT_EQ(points.right, 96);
    EXPECT_EQ(points.bottom, 48);
    for (int unit : {0, 12}) {
        const RECT same = CZAVImgDrawer::ConvertRectToDevice(RECT{1, 2, 3, 4}, unit, dc);
        EXPECT_EQ(same.left, 1);
        EXPECT_EQ(same.bottom, 4);
    }
    DeleteDC(dc);
}

TEST(ImgDrawer, PlacementFollowsAlignmentAndSizeMode)
{
    CTestImage image;
    MakeGradient(image, 2, 2);
    struct Case {
        int alignment;
        int left;
        int top;
    };
    for (const Case& c : {Case{5, 4, 8}, Case{6, 8, 0}, Case{0, 0, 0}}) {
        SCOPED_TRACE(c.alignment);
        HDC dc = TestDC(10);
        CZAVImgDrawerWithAntialiasing drawer(&image);
        drawer.m_alignment = c.alignment;
        ASSERT_EQ(drawer.DrawImage(dc, 0, 0, 10, 10, 5), 1) << drawer.GetLastFailure().GetText();
        EXPECT_TRUE(ShowsImageAt(dc, image, c.left, c.top));
        EXPECT_EQ(PixelAt(dc, c.left == 0 ? 3 : 0, 5), GetSysColor(COLOR_BTNFACE));  // the background fill
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(dc, probe), 0);  // the clip was popped
        DeleteObject(probe);
        DeleteDC(dc);
    }

    CTestImage wide;
    ASSERT_TRUE(wide.Create(200, 100, 24));
    wide.SetResolution(96, 96, kResolutionUnitInch);
    std::fill_n(static_cast<BYTE*>(wide.GetImageData()), wide.GetImageSize(), 0x40);
    HDC dc = TestDC(100);
    CZAVImgDrawerWithAntialiasing drawer(&wide);
    drawer.m_alignment = 1;
    ASSERT_EQ(drawer.DrawImageEx(dc, 0, 0, 100, 100, 5, true, 4, kSizeFitBoth), 1);
    EXPECT_EQ(drawer.m_alignment, 1);  // the settings come back after the call
    EXPECT_EQ(PixelAt(dc, 0, 25), RGB(0x40, 0x40, 0x40));
    EXPECT_EQ(PixelAt(dc, 99, 74), RGB(0x40, 0x40, 0x40));
    EXPECT_NE(PixelAt(dc, 0, 24), RGB(0x40, 0x40, 0x40));
    EXPECT_NE(PixelAt(dc, 99, 75), RGB(0x40, 0x40, 0x40));
    DeleteDC(dc);
}

TEST(ImgDrawer, EveryPathDrawsTheImageAtItsPlace)
{
    struct Case {
        int bits;
        bool cache;
        bool drawDib;
    };
    std::vector<Case> cases;
    for (int bits : {1, 8, 24})
        for (bool cache : {true, false})
            for (bool drawDib : {true, false})
                cases.push_back(Case{bits, cache, drawDib});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits * 10 + c.cache * 2 + c.drawDib);
        CTestImage image;
        if (c.bits == 24)
            MakeGradient(image, 3, 2);
        else
            MakeIndexed(image, c.bits);
        HDC dc = TestDC(8);
        CZAVImgDrawerWithAntialiasing drawer(&image);
        drawer.m_useBitmapCache = c.cache;
        drawer.m_useDrawDib = c.drawDib;
        ASSERT_EQ(drawer.DrawImage(dc, 3, 4, -1, -1, 5), 1) << drawer.GetLastFailure().GetText();
        EXPECT_TRUE(ShowsImageAt(dc, image, 3, 4));
        // A section stretched twice: source (1, 0, 2, 2) onto (0, 0, 4, 4).
        ASSERT_EQ(drawer.Paint(dc, 0, 0, 4, 4, 1, 0, 2, 2, 0), 1) << drawer.GetLastFailure().GetText();
        EXPECT_EQ(PixelAt(dc, 1, 1), ColourAt(image, 1, 0));
        EXPECT_EQ(PixelAt(dc, 3, 3), ColourAt(image, 2, 1));
        DeleteDC(dc);
    }
}

TEST(ImgDrawer, NothingToDrawAndFailuresAreReported)
{
    CTestImage image;
    HDC dc = TestDC(8);
    CZAVImgDrawerWithAntialiasing drawer(&image);
    EXPECT_EQ(drawer.DrawImage(dc, 0, 0, 4, 4, 5), 0);  // empty image
    MakeGradient(image, 2, 2);
    EXPECT_EQ(drawer.Paint(dc, 0, 0, 2, 2, 0, 0, 0, 2, 0), 0);  // source width 0
    EXPECT_EQ(drawer.GetLastFailure().GetLength(), 0);

    GdiKnobs().drawDibDraw = true;
    EXPECT_EQ(drawer.Paint(dc, 0, 0, 2, 2, 0, 0, -1, -1, 0), 0);
    EXPECT_STREQ(drawer.GetLastFailure().GetText(), "Error using vfw.dll DrawDibDraw!");
    ResetGdiKnobs();

    CZAVImgDrawerWithAntialiasing fresh(&image);
    GdiKnobs().drawDibOpen = true;
    EXPECT_EQ(fresh.Paint(dc, 0, 0, 2, 2, 0, 0, -1, -1, 0), 0);
    EXPECT_STREQ(fresh.GetLastFailure().GetText(), "Error using vfw.dll DrawDibOpen!");
    ResetGdiKnobs();
    EXPECT_EQ(fresh.Paint(dc, 0, 0, 2, 2, 0, 0, -1, -1, 0), 1);
    DeleteDC(dc);
}

TEST(ImgDrawer, TransparentColourLeavesTheDestination)
{
    CTestImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    image.SetPixel24(0, 0, RGB(255, 255, 255));
    image.SetPixel24(1, 0, RGB(255, 255, 255));
    image.SetPixel24(0, 1, RGB(9, 8, 7));
    image.SetPixel24(1, 1, RGB(255, 255, 255));
    HDC dc = TestDC(4);
    CZAVImgDrawerWithAntialiasing drawer(&image);
    drawer.m_useDrawDib = false;
    drawer.m_drawMode = kDrawModeTransparent;
    ASSERT_EQ(drawer.Paint(dc, 0, 0, 4, 4, 0, 0, -1, -1, 0), 1) << drawer.GetLastFailure().GetText();
    EXPECT_EQ(PixelAt(dc, 0, 0), 0u);  // the black destination stays
    EXPECT_EQ(PixelAt(dc, 3, 3), 0u);  // the last row and column too
    EXPECT_EQ(PixelAt(dc, 1, 3), RGB(9, 8, 7));
    EXPECT_EQ(PixelAt(dc, 0, 2), RGB(9, 8, 7));
    DeleteDC(dc);
}

TEST(ImgDrawer, AntialiasedModesFallBack)
{
    CTestImage image;
    MakeGradient(image, 4, 4);
    HDC shallow = TestDC(8, 16);
    CZAVImgDrawerWithAntialiasing drawer(&image);
    drawer.m_drawMode = kDrawModeAntialiasFiltered;
    ASSERT_EQ(drawer.Paint(shallow, 0, 0, 4, 4, 0, 0, -1, -1, 0), 1);
    EXPECT_EQ(drawer.m_drawMode, 0);  // downgraded for good
    DeleteDC(shallow);

    HDC deep = TestDC(16);
    CZAVImgDrawerWithAntialiasing antialiased(&image);
    antialiased.m_drawMode = kDrawModeAntialiasResample;
    ASSERT_EQ(antialiased.Paint(deep, 0, 0, 8, 8, 0, 0, -1, -1, 0), 1);
    EXPECT_STREQ(antialiased.GetLastFailure().GetText(), "Error initializing AdvancedImgProc dll!");
    const auto texts = GetRecordedTexts(deep);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Error initializing AdvancedImgProc dll!");
    EXPECT_EQ(texts[0].face, "Arial");
    EXPECT_EQ(PixelAt(deep, 7, 7), image.GetPixel24(3, 3));  // then drawn by the stretch path
    antialiased.m_drawMode = 2;
    EXPECT_EQ(antialiased.Paint(deep, 0, 0, 8, 8, 0, 0, -1, -1, 0), 0);
    DeleteDC(deep);
}

TEST(ImgDrawer, HugeArgumentsAreClampedOrRefusedWithoutOverflow)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    // Units and differences past 32 bits are clamped, never wrapped.
    HDC dc = TestDC(8);
    // Inches: each product clamped to the 32-bit range of twips, which at
    // 96 dpi is a fifteenth of it in pixels.
    const RECT inches = CZAVImgDrawer::ConvertRectToDevice(RECT{kMin, kMin, kMax, kMax}, 3, dc);
    EXPECT_EQ(inches.left, MulDiv(96, kMin, 1440));
    EXPECT_GE(inches.right - inches.left, MulDiv(96, kMax, 1440) - 1);
    const RECT far = CZAVImgDrawer::ConvertRectToDevice(RECT{kMax, 0, kMax, 10}, 5, dc);
    EXPECT_EQ(far.left, kMax);
    EXPECT_EQ(far.bottom, 10);

    CTestImage image;
    MakeGradient(image, 4, 4);
    const struct {
        const char* name;
        std::function<int(CZAVImgDrawer&)> draw;
        int result;
        const char* failure;
    } cases[] = {
        {"destination past the ceiling",
         [&](CZAVImgDrawer& d) { return d.Paint(dc, kMax - 1, 0, kMax, 4, 0, 0, -1, -1, 0); }, 0, "Invalid Parameter!"},
        {"negative destination past the ceiling",
         [&](CZAVImgDrawer& d) { return d.Paint(dc, kMin, kMin, 4, 4, 0, 0, -1, -1, 0); }, 0, "Invalid Parameter!"},
        {"source reaching past 32 bits is clamped into the image",
         [&](CZAVImgDrawer& d) { return d.Paint(dc, 0, 0, 4, 4, 0, 0, kMax, kMax, 0); }, 1, ""},
        {"source starting far outside draws nothing",
         [&](CZAVImgDrawer& d) { return d.Paint(dc, 0, 0, 4, 4, kMax - 1, kMax - 1, kMax, kMax, 0); }, 0, ""},
        {"section reaching past 32 bits",
         [&](CZAVImgDrawer& d) { return d.DrawImageSection(dc, kMax - 2, 0, 10, 4, 5, 0, 0, -1, -1); }, 0,
         "Invalid Parameter!"},
        {"whole image into a huge rectangle",
         [&](CZAVImgDrawer& d) { return d.DrawImage(dc, kMin, kMin, kMax, kMax, 5); }, 0, "Invalid Parameter!"},
        {"natural size at a far corner", [&](CZAVImgDrawer& d) { return d.DrawImage(dc, kMax, kMax, -1, -1, 5); }, 0,
         "Invalid Parameter!"},
        {"ordinary section still drawn",
         [&](CZAVImgDrawer& d) { return d.DrawImageSection(dc, 0, 0, 4, 4, 5, 0, 0, -1, -1); }, 1, ""},
    };
    for (const auto& c : cases)
        for (const int mode : {0, kDrawModeAntialiasResample}) {
            CZAVImgDrawerWithAntialiasing drawer(&image);
            drawer.m_drawMode = mode;
            EXPECT_EQ(c.draw(drawer), c.result) << c.name << " mode " << mode;
            if (mode == 0) {
                EXPECT_STREQ(drawer.GetLastFailure().GetText(), c.failure) << c.name;
            }
        }
    DeleteDC(dc);
}

namespace {

class RecordingClip : public IDrawerClip {
public:
    void Push(HDC, const RECT& clip) override
    {
        ++pushes;
        last = clip;
    }
    void Pop(HDC) override { ++pops; }
    int pushes = 0;
    int pops = 0;
    RECT last{};
};

}  // namespace

TEST(ImgDrawer, CallersClipIsPushedAndPoppedAndPaletteDevicesUseTheHalftone)
{
    CTestImage image;
    MakeGradient(image, 2, 2);
    HDC dc = TestDC(8);
    SetWindowOrgEx(dc, 1, 1, nullptr);
    CZAVImgDrawerWithAntialiasing drawer(&image);
    RecordingClip clip;
    ASSERT_EQ(drawer.DrawImageClipped(dc, 2, 2, 6, 6, 5, &clip), 1);
    EXPECT_EQ(clip.pushes, 1);
    EXPECT_EQ(clip.pops, 1);
    EXPECT_EQ(clip.last.left, 1);  // less the window origin
    DeleteDC(dc);

    HDC palette = TestDC(4, 8);
    for (bool drawDib : {true, false}) {
        CZAVImgDrawerWithAntialiasing eightBit(&image);
        eightBit.m_useDrawDib = drawDib;
        HGDIOBJ before = GetCurrentObject(palette, OBJ_PAL);
        ASSERT_EQ(eightBit.Paint(palette, 0, 0, 2, 2, 0, 0, -1, -1, 0), 1) << eightBit.GetLastFailure().GetText();
        EXPECT_EQ(GetCurrentObject(palette, OBJ_PAL), before);  // the old palette is back
        // RGB(10, 10, 200) on the halftone palette: the nearest cube colour.
        EXPECT_EQ(PixelAt(palette, 1, 1), RGB(0, 0, 204));
    }
    DeleteDC(palette);
}
