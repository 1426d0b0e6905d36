#include <gtest/gtest.h>

#include <cstring>

#include "image/core/ImageInfoKeys.h"
#include "image/core/ImageLayoutSnapshot.h"
#include "image/core/ImageOperationGuard.h"
#include "image/support/ImageTestSupport.h"
#include "platform/ScreenMetrics.h"
#include "platform/gdi/DeviceContexts.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::CTestImage;
using ZAVTest::ThrownText;

namespace {

struct FailureKnob {
    explicit FailureKnob(int count) { SetGlobalAllocFailures(count); }
    ~FailureKnob() { SetGlobalAllocFailures(0); }
};

TEST(ZAVImgBase, CreateLaysOutEveryDepth)
{
    const struct {
        int width, depth, bytesPerLine, bytesPerPixel, paletteCount;
    } cases[] = {
        {9, 1, 2, 0, 2},      {3, 8, 3, 1, 256},     {3, 16, 6, 2, 65536},
        {3, 24, 9, 3, 65536}, {3, 32, 12, 4, 65536}, {3, 48, 18, 6, 65536},
    };
    CTestImage image;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        ASSERT_EQ(1, image.Create(c.width, 5, c.depth));
        EXPECT_EQ(c.bytesPerLine, image.GetBytesPerLine());
        EXPECT_EQ(c.bytesPerPixel, image.GetBytesPerPixel());
        EXPECT_EQ(c.bytesPerLine * 5, image.GetImageSize());
        EXPECT_EQ(static_cast<size_t>(c.bytesPerLine * 5), GlobalSize(image.GetImageData()));
        // 24 bits and deeper keep the palette the image had.
        EXPECT_EQ(c.paletteCount, image.GetPalette().GetCount());
        EXPECT_EQ(static_cast<BYTE*>(image.GetImageData()) + 4 * c.bytesPerLine, image.GetLineArray()[4]);
        EXPECT_TRUE(image.HasImage());
    }
}

TEST(ZAVImgBase, CreateRefusesBadSizesAndDepthsKeepingTheOldImage)
{
    CTestImage image;
    ASSERT_EQ(1, image.Create(4, 4, 8));
    HGLOBAL pixels = image.GetImageData();
    const struct {
        int width, height, depth;
        const char* text;
    } cases[] = {
        {0, 10, 8, "Invalid Size!"},
        {10, -1, 8, "Invalid Size!"},
        {10, 10, 9, "Invalid bits per pixel value!"},
        {10, 10, 25, "Invalid bits per pixel value!"},
        {70000, 70000, 24, "Invalid Size!"},  // 14.7 GB: refused before any allocation
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        FailureKnob knob(1);  // an allocation attempt would throw
        EXPECT_EQ(0, image.Create(c.width, c.height, c.depth));
        EXPECT_STREQ(c.text, image.GetErrorText().GetText());
        EXPECT_EQ(pixels, image.GetImageData());
        EXPECT_EQ(4, image.GetWidth());
    }
    FailureKnob knob(1);
    EXPECT_NE("(nothing thrown)", ThrownText([&] { image.Create(8, 8, 8); }));
    EXPECT_EQ(pixels, image.GetImageData());
}

TEST(ZAVImgBase, Depth25KeepsAWideEnoughRowWidth)
{
    EXPECT_EQ(8 * 31, CZAVImgBase::CalcImageSize(10, 8, 31, 25));
    EXPECT_EQ(-1, CZAVImgBase::CalcImageSize(10, 8, 7));
    EXPECT_EQ(int64_t(70000) * 70000 * 3, CZAVImgBase::CalcImageSize(70000, 70000, 24));

    // The image object reads a DIB-sized row width as depth 25.
    struct CDepth25Image : CTestImage {
        void UseDepth25() { m_bitsPerPixel = 25; }
    } image;
    CGlobalMemBlock data;
    data.Alloc(GPTR, 10 * 3 * 2);
    image.Attach(data, 60, 10, 2, 24);
    image.UseDepth25();
    image.SetLayout(31);
    EXPECT_EQ(31, image.GetBytesPerLine());
    EXPECT_EQ("Invalid width in bytes specified!", ThrownText([&] { image.SetLayout(29); }));
    EXPECT_EQ(31, image.GetBytesPerLine());
}

TEST(ZAVImgBase, AttachChecksSizeAndDepth)
{
    CTestImage image;
    CGlobalMemBlock data;
    data.Alloc(GPTR, 6);
    const std::string sizeText = ThrownText([&] { image.Attach(data, 5, 3, 2, 8); });
    EXPECT_EQ(0u, sizeText.find("Invalid Image Size! The specified size does not fit to the imagedata.\n"));
    EXPECT_NE(nullptr, data.GetHandle());
    // A block smaller than the size claimed is refused too.
    EXPECT_EQ(sizeText, ThrownText([&] { image.Attach(data, 12, 4, 3, 8); }));
    EXPECT_EQ("Error", ThrownText([&] { image.Attach(data, 6, 3, 2, 9); }));

    CGlobalMemBlock wide;
    wide.Alloc(GPTR, 24);
    EXPECT_EQ("Error", ThrownText([&] { image.Attach(wide, 24, 3, 2, 32); }));

    image.SetResolution(300, 300, kResolutionUnitInch);
    image.Attach(data, 6, 3, 2, 8);
    EXPECT_EQ(nullptr, data.GetHandle());
    EXPECT_EQ(3, image.GetBytesPerLine());
    EXPECT_EQ(96, image.GetXResolution());
    EXPECT_EQ(256, image.GetPalette().GetCount());
    EXPECT_EQ(1, image.releaseExtrasCalls);
}

TEST(ZAVImgBase, MasksMustFitTheImage)
{
    CTestImage image;
    image.Create(4, 3, 24);
    HGLOBAL mask = GlobalAlloc(GPTR, 12);
    EXPECT_EQ(0, image.SetMask(mask, 11));
    EXPECT_STREQ("Invalid Mask Size Width*Height", image.GetErrorText().GetText());
    EXPECT_EQ(1, image.SetMask(mask, 12));
    EXPECT_STREQ("", image.GetErrorText().GetText());
    EXPECT_EQ(0, image.SetMask2(mask, 5));
    EXPECT_STREQ("Invalid Mask2 Size Width*Height", image.GetErrorText().GetText());
    image.SetMask2Dimensions(2, 2);
    HGLOBAL mask2 = GlobalAlloc(GPTR, 4);
    EXPECT_EQ(0, image.SetMask2(mask2, 12));
    EXPECT_STREQ("Invalid Mask2 Size Mask2Width*Mask2Height", image.GetErrorText().GetText());
    EXPECT_EQ(1, image.SetMask2(mask2, 4));
    HGLOBAL copy = image.CopyMask();
    EXPECT_NE(mask, copy);
    EXPECT_EQ(12u, GlobalSize(copy));
    GlobalFree(copy);
    EXPECT_EQ(mask2, image.DetachMask2());
    EXPECT_EQ(0, image.GetMask2Size());
    GlobalFree(mask2);
    image.RemoveMasks();
    EXPECT_EQ(nullptr, image.GetMask());
    EXPECT_EQ(0, image.GetMask2Width());
}

TEST(ZAVImgBase, ResolutionConvertsAndFallsBackToTheScreen)
{
    SetScreenLogPixels(120, 144);
    const struct {
        int x, y, unit, outX, outY;
    } cases[] = {
        // dots per metre round to the nearest whole dpi: 99.99 and 299.99
        {3937, 3937, kResolutionUnitMetre, 100, 100},
        {11811, 23622, kResolutionUnitMetre, 300, 600},
        {3918, 3917, kResolutionUnitMetre, 100, 99},
        {1, 1, kResolutionUnitInch, 120, 144},
        {300, 600, kResolutionUnitInch, 300, 600},
        {300, 0, kResolutionUnitInch, 120, 144},
        {300, 300, 3, 120, 144},
        // dots per metre large enough that * 2540 passes 32 bits
        {2000000000, 2000000000, kResolutionUnitMetre, 50800000, 50800000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        int x = 0;
        int y = 0;
        CZAVImgBase::ConvertResolution(c.x, c.y, c.unit, x, y);
        EXPECT_EQ(c.outX, x);
        EXPECT_EQ(c.outY, y);
    }
    CTestImage image;
    EXPECT_EQ(120, image.GetXResolution());
    image.SetXResolution(-5);
    image.SetYResolution(200);
    EXPECT_EQ(120, image.GetXResolution());
    EXPECT_EQ(200, image.GetYResolution());
    SetScreenLogPixels(0, 0);
}

TEST(ZAVImgBase, UnitConversionsUseTheImageResolution)
{
    CTestImage image;
    image.SetResolution(96, 200, kResolutionUnitInch);
    const SIZE pixels = image.HiMetricToImagePixels(SIZE{1000, 2540});
    EXPECT_EQ(38, pixels.cx);
    EXPECT_EQ(200, pixels.cy);
    const SIZE himetric = image.ImagePixelsToHiMetric(SIZE{96, 100});
    EXPECT_EQ(2540, himetric.cx);
    EXPECT_EQ(1270, himetric.cy);
    const SIZE twips = image.ImagePixelsToTwips(SIZE{96, 200});
    EXPECT_EQ(1440, twips.cx);
    EXPECT_EQ(1440, twips.cy);
    EXPECT_EQ(200, image.TwipsToImagePixels(SIZE{0, 1440}).cy);
}

TEST(ZAVImgBase, DeviceUnitConversionsUseTheDeviceOrTheScreen)
{
    TestDeviceSettings printer;
    printer.logPixelsX = 300;
    printer.logPixelsY = 600;
    HDC dc = CreateTestDC(printer);
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(300, CZAVImgBase::HiMetricToDevicePixels(dc, SIZE{2540, 2540}).cx);
    EXPECT_EQ(600, CZAVImgBase::HiMetricToDevicePixels(dc, SIZE{2540, 2540}).cy);
    EXPECT_EQ(1270, CZAVImgBase::DevicePixelsToHiMetric(dc, SIZE{150, 300}).cx);
    EXPECT_EQ(1440, CZAVImgBase::DevicePixelsToTwips(dc, SIZE{300, 600}).cy);
    EXPECT_EQ(150, CZAVImgBase::TwipsToDevicePixels(dc, SIZE{720, 0}).cx);
    DeleteDC(dc);

    SetScreenLogPixels(120, 144);
    const SIZE screen = CZAVImgBase::TwipsToDevicePixels(nullptr, SIZE{1440, 1440});
    SetScreenLogPixels(0, 0);
    EXPECT_EQ(120, screen.cx);
    EXPECT_EQ(144, screen.cy);
}

TEST(ZAVImgBase, ClampingKeepsRectanglesInside)
{
    CTestImage image;
    image.Create(100, 50, 8);
    RECT rect{-5, -5, 1000, 1000};
    image.ClampRect(rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(99, rect.right);
    EXPECT_EQ(49, rect.bottom);

    int x = -3, y = 60, w = 200, h = 10;
    CZAVImgBase::ClampArea(100, 50, x, y, w, h);
    EXPECT_EQ(0, x);
    EXPECT_EQ(49, y);
    EXPECT_EQ(100, w);
    EXPECT_EQ(1, h);

    RECT placed{};
    CZAVImgBase::CalcAlignedRect(RECT{0, 0, 100, 100}, SIZE{10, 20}, 4, false, false, false, placed);
    EXPECT_EQ(45, placed.left);
    EXPECT_EQ(40, placed.top);
}

TEST(ZAVImgBase, CropReplacesThePixelsAndCopyRectLeavesThemAlone)
{
    CRecordingSink sink;
    CTestImage image(&sink);
    image.Create(4, 3, 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.SetPixel24(x, y, RGB(x, y, 7));

    CGlobalMemBlock copy;
    int size = 0;
    int left = 2, top = -1, right = 9, bottom = 1;
    image.CopyRectEx(left, top, right, bottom, copy, size);
    EXPECT_EQ(2 * 2 * 3, size);
    EXPECT_EQ(0, top);
    EXPECT_EQ(3, right);
    const BYTE expected[] = {2, 0, 7, 3, 0, 7, 2, 1, 7, 3, 1, 7};
    EXPECT_EQ(0, std::memcmp(expected, copy.GetData<BYTE>(), sizeof(expected)));
    EXPECT_EQ(4, image.GetWidth());

    const int changes = sink.changedCalls;
    image.Crop(RECT{1, 1, 2, 2});
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(2, image.GetHeight());
    EXPECT_EQ(6, image.GetBytesPerLine());
    EXPECT_EQ(RGB(2, 2, 7), image.GetPixel24(1, 1));
    EXPECT_EQ(changes + 1, sink.changedCalls);
}

TEST(ZAVImgBase, CropRefusesEmptyRectanglesAndUnknownDepths)
{
    CTestImage image;
    image.Create(10, 10, 1);
    HGLOBAL pixels = image.GetImageData();
    CGlobalMemBlock copy;
    int size = 0;
    for (const RECT& rect : {RECT{20, 20, 30, 30}, RECT{5, 5, 2, 8}, RECT{-9, 0, -2, 3}}) {
        EXPECT_EQ("Error cropping Image! Invalid Parameter!", ThrownText([&] { image.Crop(rect); }));
        EXPECT_EQ("Error cropping Image! Invalid Parameter!", ThrownText([&] { image.CopyRect(rect, copy, size); }));
    }
    EXPECT_EQ(pixels, image.GetImageData());
    EXPECT_EQ(10, image.GetWidth());

    image.Crop(RECT{3, 0, 7, 0});
    EXPECT_EQ(5, image.GetWidth());
    EXPECT_EQ(1, image.GetBytesPerLine());

    CTestImage gray16;
    gray16.Create(4, 4, 16);
    EXPECT_EQ("Error", ThrownText([&] { gray16.Crop(RECT{0, 0, 1, 1}); }));

    CTestImage empty;
    empty.Crop(RECT{0, 0, 1, 1});
    empty.CopyRect(RECT{0, 0, 1, 1}, copy, size);
    EXPECT_EQ(0, size);
    EXPECT_EQ(nullptr, copy.GetHandle());
}

TEST(ZAVImgBase, ChangeTrackingKeepsTheErrorTextAndTheGuardWord)
{
    struct NoisySink : CRecordingSink {
        CTestImage* image = nullptr;
        void OnImageChanged() override
        {
            CRecordingSink::OnImageChanged();
            image->SetErrorText("changed by the sink");
        }
    } sink;
    CTestImage image(&sink);
    sink.image = &image;
    image.SetErrorText("kept");
    image.NotifyChanged();
    EXPECT_STREQ("kept", image.GetErrorText().GetText());

    image.SetGuardWord(7);
    {
        CImageOperationGuard guard(image);
        guard.Set(99);
        EXPECT_EQ(99, image.GetGuardWord());
    }
    EXPECT_EQ(7, image.GetGuardWord());
    EXPECT_EQ(1, sink.endCalls);

    image.Create(2, 2, 8);
    CImageLayoutSnapshot snapshot(image);
    const int before = sink.changedCalls;
    snapshot.Commit();
    EXPECT_EQ(before + 1, sink.changedCalls);
}

TEST(ZAVImgBase, ClearFreesEverythingAndResetKeepsThePixels)
{
    CTestImage image;
    image.Create(3, 3, 8);
    image.SetMask(GlobalAlloc(GPTR, 9), 9);
    image.Reset();
    EXPECT_EQ(0, image.GetWidth());
    EXPECT_NE(nullptr, image.GetMask());
    image.Clear();
    EXPECT_EQ(nullptr, image.GetMask());
    EXPECT_EQ(0, image.GetPalette().GetCount());
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ("No imagedata available", ThrownText([&] { image.GetImageDataChecked(); }));
    EXPECT_EQ("Can't initialize linearray!", ThrownText([&] { image.BuildLineArray(); }));
}

TEST(ZAVImgBase, InformationKeysAndPixelAccess)
{
    EXPECT_STREQ("FILENAME", GetImageInfoKey(0));
    EXPECT_STREQ("COLORDEPTH", GetImageInfoKey(9));
    EXPECT_STREQ("DISPOSALMETHOD", GetImageInfoKey(30));
    EXPECT_EQ(nullptr, GetImageInfoKey(31));

    CTestImage image;
    image.Create(3, 2, 8);
    EXPECT_TRUE(image.IsGrayScale());
    image.SetPixel8(2, 1, 77);
    EXPECT_EQ(77, static_cast<BYTE*>(image.GetImageData())[5]);
    EXPECT_EQ(77, image.GetPixel8(2, 1));
    HGLOBAL copy = image.CopyImageData();
    EXPECT_EQ(77, static_cast<BYTE*>(copy)[5]);
    GlobalFree(copy);
    image.Create(2, 2, 24);
    image.SetPixel24(1, 1, RGB(1, 2, 3));
    const BYTE* pixel = static_cast<BYTE*>(image.GetImageData()) + 9;
    EXPECT_EQ(1, pixel[0]);  // red first in memory
    EXPECT_EQ(3, pixel[2]);
    EXPECT_FALSE(image.IsGrayScale());
}

}  // namespace
