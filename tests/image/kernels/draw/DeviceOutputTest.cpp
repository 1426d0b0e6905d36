// Pixel data drawn onto device contexts of the software graphics layer and
// read back; the failure codes of the bitmap path.
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/GdiKnobs.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

using namespace ZAV;

namespace {

HDC TestDC(int rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT | RC_STRETCHDIB)
{
    TestDeviceSettings settings;
    settings.width = settings.height = 8;
    settings.rasterCaps = rasterCaps;
    return CreateTestDC(settings);
}

// 3 x 2 red-first pixels: red, green, blue / white, black, grey.
const BYTE kRgb[18] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};

}  // namespace

TEST(DeviceOutput, DrawnPixelsReadBackAtTheirPlaces)
{
    HDC dc = TestDC();
    CImgKernels kernels;
    ASSERT_EQ(kernels.Draw24(dc, 2, 3, 2, 1, kRgb, 1, 1, 3, 2), 1);  // source (1, 1): black, grey
    EXPECT_EQ(ZAVTest::PixelAt(dc, 2, 3), RGB(0, 0, 0));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 3, 3), RGB(128, 128, 128));
    ASSERT_EQ(kernels.Draw24AsBitmap(dc, 0, 0, kRgb, 3, 2), 1);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 0, 1), RGB(255, 255, 255));

    const BYTE indices[4] = {0, 1, 1, 0};
    uint32_t palette[256] = {0x00102030, 0x00A0B0C0};
    ASSERT_EQ(kernels.Draw8(dc, RECT{4, 4, 8, 8}, indices, palette, 0, 0, 2, 2, 2, 2), 1);  // stretched twice
    EXPECT_EQ(ZAVTest::PixelAt(dc, 5, 4), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 6, 5), RGB(0xA0, 0xB0, 0xC0));
    const BYTE bits[2] = {0x80, 0x40};  // 2 x 2: set at (0, 0) and (1, 1)
    ASSERT_EQ(kernels.Draw1AsBitmap(dc, 6, 0, bits, palette, 2, 2), 1);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 6, 0), RGB(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 7, 0), RGB(0x10, 0x20, 0x30));
    DeleteDC(dc);
}

TEST(DeviceOutput, RefusalsNameTheirReason)
{
    CImgKernels kernels;
    HDC plain = TestDC(RC_BITBLT);
    EXPECT_EQ(kernels.Draw24(plain, 0, 0, 1, 1, kRgb, 0, 0, 3, 2), 0);
    EXPECT_EQ(kernels.GetErrorCode(), zavkeDeviceCapability);
    EXPECT_EQ(kernels.Draw1(plain, RECT{0, 0, 1, 1}, kRgb, nullptr, 0, 0, 1, 1), 0);
    EXPECT_STREQ(kernels.GetErrorText().GetText(), "Device does not support this operation!");
    EXPECT_EQ(kernels.Draw8(nullptr, RECT{0, 0, 1, 1}, kRgb, nullptr, 0, 0, 1, 1), 0);
    EXPECT_STREQ(kernels.GetErrorText().GetText(), "BADPARAM");
    EXPECT_EQ(kernels.Draw24(nullptr, 0, 0, 1, 1, kRgb, 0, 0, 3, 2), 0);
    EXPECT_STREQ(kernels.GetErrorText().GetText(), "Invalid Parameter!");
    DeleteDC(plain);

    HDC dc = TestDC();
    HBITMAP bitmap = kernels.Image24ToBitmap(kRgb, 3, 2, nullptr, dc);
    ASSERT_NE(bitmap, nullptr);
    struct Case {
        bool GdiFailureKnobs::*knob;
        int code;
    };
    for (const Case& c : {Case{&GdiFailureKnobs::compatibleDC, zavkeNoCompatibleDC},
                          Case{&GdiFailureKnobs::bitmapSelection, zavkeSelectBitmap64},
                          Case{&GdiFailureKnobs::blit, zavkeBitBltFailed}}) {
        GdiKnobs().*c.knob = true;
        EXPECT_EQ(kernels.BlitBitmapAt(dc, bitmap, 0, 0, 3, 2, nullptr), 0);
        EXPECT_EQ(kernels.GetErrorCode(), c.code);
        ResetGdiKnobs();
    }
    EXPECT_EQ(kernels.BlitBitmap(dc, nullptr, 0, 0, 0, 0, 1, 1, nullptr), 0);
    EXPECT_EQ(kernels.GetErrorCode(), zavkeMissingInput);
    EXPECT_EQ(kernels.Draw1AsBitmap(dc, 0, 0, nullptr, nullptr, 1, 1), 0);
    EXPECT_EQ(kernels.GetErrorCode(), zavkeMissingInput);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(DeviceOutput, DeviceRectanglesComeBackAsImageRows)
{
    HDC dc = TestDC();
    CImgKernels kernels;
    ASSERT_EQ(kernels.Draw24(dc, 1, 1, 3, 2, kRgb, 0, 0, 3, 2), 1);
    for (int dibSection : {1, 0}) {
        kernels.SetUseDibSection(dibSection);
        HGLOBAL image = kernels.DCToImage(dc, 1, 1, 3, 2);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(std::vector<BYTE>(static_cast<BYTE*>(image), static_cast<BYTE*>(image) + 18),
                  std::vector<BYTE>(kRgb, kRgb + 18));
        GlobalFree(image);
        HBITMAP bitmap = kernels.Image24ToBitmap(kRgb, 3, 2, nullptr, dc);
        int width = 0, height = 0;
        HGLOBAL back = kernels.BitmapToImage(bitmap, width, height, dc, nullptr);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(width, 3);
        EXPECT_EQ(std::vector<BYTE>(static_cast<BYTE*>(back), static_cast<BYTE*>(back) + 18),
                  std::vector<BYTE>(kRgb, kRgb + 18));
        GlobalFree(back);
        DeleteObject(bitmap);
    }
    HDC noBitmaps = TestDC(RC_BITBLT);
    EXPECT_EQ(kernels.DCToImage(noBitmaps, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(kernels.GetErrorCode(), zavkeDeviceCapability);
    DeleteDC(noBitmaps);
    DeleteDC(dc);
}
