#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/Regions.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Bitmaps, DibBitmapRoundTripsThroughGetDIBits)
{
    // A 3 x 2 8-bit bottom-up DIB with a four-colour table.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[4];
    } info{{sizeof(BITMAPINFOHEADER), 3, 2, 1, 8, BI_RGB, 0, 0, 0, 4, 0},
           {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}}};
    const uint8_t bits[8] = {1, 2, 3, 0, 3, 3, 1, 0};  // bottom row, then top row
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, bits, reinterpret_cast<BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    BITMAP described{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof described, &described), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(described.bmWidth, 3);
    EXPECT_EQ(described.bmHeight, 2);
    EXPECT_EQ(described.bmBitsPixel, 32);

    BITMAPINFO out{};
    out.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    uint8_t rows[2 * 12] = {};
    ASSERT_EQ(GetDIBits(screen, bitmap, 0, 2, rows, &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out.bmiHeader.biSizeImage, 24u);
    const uint8_t expected[24] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,   // red, green, blue
                                  255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0};  // blue, blue, red
    EXPECT_EQ(std::memcmp(rows, expected, sizeof rows), 0);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

TEST(Bitmaps, SelectedBitmapsStayAndKnobsMakeCreationFail)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));  // still selected
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);  // one DC at a time
    EXPECT_EQ(CreateCompatibleBitmap(memory, 1, 1) != nullptr, true);
    SelectObject(memory, old);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));  // a stale handle is refused, not followed

    // A memory DC still holding its monochrome bitmap makes monochrome bitmaps.
    HBITMAP mono = CreateCompatibleBitmap(memory, 2, 2);
    BITMAP described{};
    GetObjectA(mono, sizeof described, &described);
    EXPECT_EQ(described.bmBitsPixel, 1);
    DeleteObject(mono);

    ZAV::GdiKnobs().bitmapCreation = true;
    EXPECT_EQ(CreateCompatibleBitmap(memory, 2, 2), nullptr);
    EXPECT_EQ(CreateBitmap(2, 2, 1, 1, nullptr), nullptr);
    ZAV::ResetGdiKnobs();
    EXPECT_EQ(CreateCompatibleBitmap(memory, 0, 2), nullptr);
    DeleteDC(other);
    DeleteDC(memory);
}

TEST(DeviceContexts, TestDevicesReportTheirValues)
{
    ZAV::TestDeviceSettings settings;
    settings.bitsPixel = 16;
    settings.technology = DT_RASPRINTER;
    settings.rasterCaps = RC_BITBLT;
    settings.logPixelsX = 300;
    settings.logPixelsY = 600;
    HDC dc = ZAV::CreateTestDC(settings);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS), RC_BITBLT);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
    HDC memory = CreateCompatibleDC(dc);
    EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 600);

    POINT points[2] = {{0, 0}, {10, 20}};
    SetWindowOrgEx(dc, 5, 7, nullptr);
    ASSERT_TRUE(DPtoLP(dc, points, 2));
    EXPECT_EQ(points[1].x, 15);
    EXPECT_EQ(points[1].y, 27);
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);

    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    HRGN clip = CreateRectRgn(1, 2, 3, 4);
    SelectClipRgn(dc, clip);
    ASSERT_EQ(GetClipRgn(dc, probe), 1);
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 6);  // logical: device 1 + window origin 5
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    DeleteObject(probe);
    DeleteObject(clip);
    DeleteDC(memory);
    DeleteDC(dc);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);  // gone
}
