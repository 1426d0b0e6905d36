// The metafile DC: what it records plays back where it was drawn, its
// header describes the screen stand-in, and the calls it cannot record
// fail with ERROR_NOT_SUPPORTED.
#include "platform/LastError.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DCState.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"
#include "platform/gdi/metafile/record/EmfRecorder.h"
#include "support/GdiPixels.h"
#include "support/MetafileBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace ZAVTest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// 32 x 24 pixels of the screen stand-in (1440 pixels over 381 mm), rounded up.
const RECT kFrame{0, 0, 847, 635};

HDC TestDC(int width, int height)
{
    ZAV::TestDeviceSettings settings;
    settings.width = width;
    settings.height = height;
    return ZAV::CreateTestDC(settings);
}

const BITMAPINFO* Info(const MetaBytes& dib)
{
    return reinterpret_cast<const BITMAPINFO*>(dib.data());
}

// Doubles every logical unit, draws a 2 x 2 DIB, a clipped 8-bit DIB inside
// SaveDC/RestoreDC, and two memory-DC blits.
HENHMETAFILE RecordPicture()
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &kFrame, nullptr);
    EXPECT_NE(nullptr, dc);
    EXPECT_EQ(MM_TEXT, SetMapMode(dc, MM_ANISOTROPIC));
    EXPECT_TRUE(SetWindowExtEx(dc, 16, 12, nullptr));
    EXPECT_TRUE(SetViewportExtEx(dc, 32, 24, nullptr));
    EXPECT_NE(0, SetStretchBltMode(dc, COLORONCOLOR));
    const MetaBytes four = MakeDib(24, 2, 2, [](int x, int y) { return y ? (x ? 0x0000FFu : 0x00FF00u) : 0xFF0000u; });
    EXPECT_EQ(2, StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 2, 2, four.data() + 40, Info(four), DIB_RGB_COLORS, SRCCOPY));
    EXPECT_EQ(1, SaveDC(dc));
    EXPECT_EQ(SIMPLEREGION, IntersectClipRect(dc, 4, 0, 8, 6));
    const MetaBytes grey = MakeDib(8, 8, 8, [](int, int) { return 1u; }, {0, 0x808080});
    EXPECT_EQ(8, SetDIBitsToDevice(dc, 4, 0, 8, 8, 0, 0, 0, 8, grey.data() + 48, Info(grey), DIB_RGB_COLORS));
    EXPECT_TRUE(RestoreDC(dc, -1));
    MemoryPicture green(4, 4, std::vector<COLORREF>(16, kGreen));
    MemoryPicture blue(1, 1, {kBlue});
    EXPECT_TRUE(BitBlt(dc, 12, 6, 4, 4, green.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dc, 0, 8, 4, 4, blue.dc(), 0, 0, 1, 1, SRCCOPY));
    return CloseEnhMetaFile(dc);
}

TEST(EmfRecorder, WhatIsRecordedPlaysBackWhereItWasDrawn)
{
    HENHMETAFILE metafile = RecordPicture();
    ASSERT_NE(nullptr, metafile);
    HDC target = TestDC(32, 24);
    MemoryPicture white(1, 1, {kWhite});
    StretchBlt(target, 0, 0, 32, 24, white.dc(), 0, 0, 1, 1, SRCCOPY);
    const RECT whole{0, 0, 32, 24};
    ASSERT_TRUE(PlayEnhMetaFile(target, metafile, &whole));
    const struct {
        int x, y;
        COLORREF colour;
    } probes[] = {{0, 0, kRed},    {7, 3, kRed},    {0, 4, kGreen},  {7, 7, kBlue},    {8, 0, kGrey},
                  {15, 11, kGrey}, {16, 0, kWhite}, {8, 12, kWhite}, {24, 12, kGreen}, {31, 19, kGreen},
                  {0, 16, kBlue},  {7, 23, kBlue},  {8, 16, kWhite}, {31, 23, kWhite}};
    for (const auto& p : probes)
        EXPECT_EQ(p.colour, PixelAt(target, p.x, p.y)) << p.x << "," << p.y;
    DeleteDC(target);
    DeleteEnhMetaFile(metafile);
}

TEST(EmfRecorder, TheHeaderDescribesTheFrameTheBoundsAndTheScreen)
{
    HENHMETAFILE metafile = RecordPicture();
    ENHMETAHEADER h{};
    ASSERT_EQ(108u, GetEnhMetaFileHeader(metafile, 0, nullptr));
    ASSERT_EQ(108u, GetEnhMetaFileHeader(metafile, sizeof h, &h));
    EXPECT_EQ(GetEnhMetaFileBits(metafile, 0, nullptr), h.nBytes);
    EXPECT_EQ(13u, h.nRecords);  // header, 11 calls, end
    EXPECT_EQ(0, h.rclBounds.left);
    EXPECT_EQ(31, h.rclBounds.right);
    EXPECT_EQ(23, h.rclBounds.bottom);
    EXPECT_EQ(847, h.rclFrame.right);
    EXPECT_EQ(635, h.rclFrame.bottom);
    // The screen stand-in: 96 dpi, so 1440 x 960 pixels are 381 x 254 mm.
    EXPECT_EQ(1440, h.szlDevice.cx);
    EXPECT_EQ(960, h.szlDevice.cy);
    EXPECT_EQ(381, h.szlMillimeters.cx);
    EXPECT_EQ(254, h.szlMillimeters.cy);
    EXPECT_EQ(381000, h.szlMicrometers.cx);
    EXPECT_EQ(254000, h.szlMicrometers.cy);
    DeleteEnhMetaFile(metafile);
}

TEST(EmfRecorder, CallsAMetafileCannotHoldFailWithNotSupported)
{
    MemoryPicture green(2, 2, std::vector<COLORREF>(4, kGreen));
    const MetaBytes rle = MakeDib(
        8, 2, 2, [](int, int) { return 0u; }, {0, 0xFFFFFF}, BI_RLE8);
    HBRUSH brush = CreateSolidBrush(kRed);
    const RECT rect{0, 0, 2, 2};
    RECT textRect{0, 0, 10, 10};
    const struct {
        const char* name;
        std::function<bool(HDC)> call;
    } cases[] = {
        {"Rectangle", [](HDC dc) { return Rectangle(dc, 0, 0, 2, 2) != 0; }},
        {"FillRect", [&](HDC dc) { return FillRect(dc, &rect, brush) != 0; }},
        {"TextOutA", [](HDC dc) { return TextOutA(dc, 0, 0, "a", 1) != 0; }},
        {"DrawTextA", [&](HDC dc) { return DrawTextA(dc, "a", 1, &textRect, 0) != 0; }},
        {"BitBlt SRCAND", [&](HDC dc) { return BitBlt(dc, 0, 0, 2, 2, green.dc(), 0, 0, SRCAND) != 0; }},
        {"StretchDIBits BI_RLE8",
         [&](HDC dc) {
             return StretchDIBits(dc, 0, 0, 2, 2, 0, 0, 2, 2, rle.data() + 48, Info(rle), DIB_RGB_COLORS, SRCCOPY) != 0;
         }},
        {"SetMapMode MM_LOMETRIC", [](HDC dc) { return SetMapMode(dc, 2) != 0; }},
        {"RestoreDC without SaveDC", [](HDC dc) { return RestoreDC(dc, -1) != 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &kFrame, nullptr);
        SetLastError(0);
        EXPECT_FALSE(c.call(dc));
        EXPECT_EQ(ERROR_NOT_SUPPORTED, GetLastError());
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    }
    DeleteObject(brush);
    SetLastError(0);
    EXPECT_EQ(nullptr, CreateEnhMetaFileA(nullptr, "picture.emf", &kFrame, nullptr));
    EXPECT_EQ(ERROR_NOT_SUPPORTED, GetLastError());
}

TEST(DCState, SaveAndRestorePutBackTheClipAndOriginOfAnOrdinaryDC)
{
    HDC dc = TestDC(8, 8);
    EXPECT_EQ(1, SaveDC(dc));
    SetWindowOrgEx(dc, 2, 2, nullptr);
    EXPECT_EQ(SIMPLEREGION, IntersectClipRect(dc, 2, 2, 4, 4));
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(2, box.left);
    EXPECT_EQ(4, box.right);
    EXPECT_EQ(2, SaveDC(dc));
    EXPECT_TRUE(RestoreDC(dc, 1));
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    EXPECT_EQ(0, origin.x);
    GetClipBox(dc, &box);
    EXPECT_EQ(8, box.right);
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteDC(dc);
}

}  // namespace
