#include "platform/gdi/Blits.h"
#include "platform/gdi/Palettes.h"
#include "platform/gdi/Regions.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

using ZAVTest::MemoryPicture;
using ZAVTest::PixelAt;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

HDC TestDC(int width, int height, int bits = 32)
{
    ZAV::TestDeviceSettings settings;
    settings.width = width;
    settings.height = height;
    settings.bitsPixel = bits;
    return ZAV::CreateTestDC(settings);
}

void Fill(HDC dc, COLORREF colour)
{
    MemoryPicture one(1, 1, {colour});
    StretchBlt(dc, 0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), one.dc(), 0, 0, 1, 1, SRCCOPY);
}

}  // namespace

TEST(Blits, RasterOperationsCombineSourceAndDestination)
{
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const COLORREF dest = RGB(0xF0, 0x0F, 0x33);
    const COLORREF source = RGB(0x3C, 0xFF, 0x00);
    for (const Case& c : {Case{SRCCOPY, source}, Case{SRCAND, RGB(0x30, 0x0F, 0x00)},
                          Case{SRCPAINT, RGB(0xFC, 0xFF, 0x33)}, Case{NOTSRCCOPY, RGB(0xC3, 0x00, 0xFF)}}) {
        SCOPED_TRACE(c.rop);
        HDC dc = TestDC(2, 1);
        Fill(dc, dest);
        MemoryPicture picture(1, 1, {source});
        ASSERT_TRUE(BitBlt(dc, 1, 0, 1, 1, picture.dc(), 0, 0, c.rop));
        EXPECT_EQ(PixelAt(dc, 0, 0), dest);
        EXPECT_EQ(PixelAt(dc, 1, 0), c.expected);
        DeleteDC(dc);
    }
}

TEST(Blits, OnlyTheClipChangesAndWindowOriginMovesTheTarget)
{
    HDC dc = TestDC(4, 4);
    HRGN left = CreateRectRgn(0, 0, 3, 4);
    HRGN top = CreateRectRgn(1, 0, 4, 2);
    SelectClipRgn(dc, left);
    EXPECT_EQ(ExtSelectClipRgn(dc, top, RGN_AND), SIMPLEREGION);  // leaves (1, 0)-(3, 2)
    Fill(dc, kRed);
    int width = 0;
    int height = 0;
    const auto pixels = ZAVTest::SurfacePixels(dc, width, height);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixels[y * 4 + x], (x >= 1 && x < 3 && y < 2) ? kRed : 0u) << x << "," << y;

    SelectClipRgn(dc, nullptr);
    SetWindowOrgEx(dc, 2, 2, nullptr);  // logical (2, 2) is device (0, 0)
    MemoryPicture blue(1, 1, {kBlue});
    BitBlt(dc, 2, 2, 1, 1, blue.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(PixelAt(dc, 0, 0), kBlue);
    DeleteObject(left);
    DeleteObject(top);
    DeleteDC(dc);
}

TEST(Blits, StretchingTakesTheNearestPixel)
{
    MemoryPicture picture(4, 1, {kRed, kGreen, kBlue, kWhite});
    HDC dc = TestDC(8, 1);
    StretchBlt(dc, 0, 0, 2, 1, picture.dc(), 0, 0, 4, 1, SRCCOPY);  // shrinks: columns 0 and 2
    EXPECT_EQ(PixelAt(dc, 0, 0), kRed);
    EXPECT_EQ(PixelAt(dc, 1, 0), kBlue);
    StretchBlt(dc, 0, 0, 8, 1, picture.dc(), 0, 0, 4, 1, SRCCOPY);  // grows: each column twice
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(PixelAt(dc, x, 0), (std::vector<COLORREF>{kRed, kGreen, kBlue, kWhite})[x / 2]);
    DeleteDC(dc);
}

TEST(Blits, ColourToMonochromeByBackgroundAndBack)
{
    MemoryPicture picture(2, 1, {kRed, kGreen});
    HDC monoDC = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(monoDC, mono);
    SetBkColor(picture.dc(), kGreen);  // green becomes 1 (white), the rest 0
    BitBlt(monoDC, 0, 0, 2, 1, picture.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(PixelAt(monoDC, 0, 0), 0u);
    EXPECT_EQ(PixelAt(monoDC, 1, 0), kWhite);

    HDC dc = TestDC(2, 1);
    SetTextColor(dc, kBlue);  // 0 bits
    SetBkColor(dc, kRed);     // 1 bits
    BitBlt(dc, 0, 0, 2, 1, monoDC, 0, 0, SRCCOPY);
    EXPECT_EQ(PixelAt(dc, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(dc, 1, 0), kRed);
    SelectObject(monoDC, old);
    DeleteObject(mono);
    DeleteDC(monoDC);
    DeleteDC(dc);
}

TEST(Blits, EightBitDevicesShowTheSelectedPalette)
{
    const COLORREF orange = RGB(250, 130, 10);
    HDC dc = TestDC(1, 1, 8);
    Fill(dc, orange);
    const COLORREF withDefault = PixelAt(dc, 0, 0);
    HPALETTE halftone = CreateHalftonePalette(dc);
    SelectPalette(dc, halftone, FALSE);
    RealizePalette(dc);
    Fill(dc, orange);
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(255, 153, 0));  // nearest cube colour
    EXPECT_NE(withDefault, orange);
    EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, RC_PALETTE);
    SelectPalette(dc, GetStockObject(DEFAULT_PALETTE), FALSE);
    DeleteObject(halftone);
    DeleteDC(dc);
}

TEST(Blits, StretchDibitsReadsBottomUpRowsFromTheBottom)
{
    // A 1 x 2 24-bit bottom-up DIB: stored row 0 (bottom) blue, row 1 (top) red.
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const uint8_t bits[8] = {255, 0, 0, 0, 0, 0, 255, 0};
    HDC dc = TestDC(1, 2);
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 1, 2, 0, 0, 1, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(PixelAt(dc, 0, 0), kRed);
    EXPECT_EQ(PixelAt(dc, 0, 1), kBlue);
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 1, 1, 0, 0, 1, 1, bits, &info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(PixelAt(dc, 0, 0), kBlue);  // source y 0 is the bottom row
    DeleteDC(dc);
}

TEST(Blits, SetDibitsToDeviceKeepsTheBitFieldMasks)
{
    // A 1 x 1 32-bit DIB whose masks put red in the low byte.
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0x0000FF, 0x00FF00, 0xFF0000}};
    const uint8_t bits[4] = {255, 0, 0, 0};
    HDC dc = TestDC(1, 1);
    Fill(dc, kWhite);
    EXPECT_EQ(
        SetDIBitsToDevice(dc, 0, 0, 1, 1, 0, 0, 0, 1, bits, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS),
        1);
    EXPECT_EQ(PixelAt(dc, 0, 0), kRed);
    DeleteDC(dc);
}
