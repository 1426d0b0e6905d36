#include "Afx/BitmapCache.h"
#include "Afx/TransparentBlit.h"
#include "platform/GlobalMem.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/Objects.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

using namespace ZAV;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

HDC GreenDC(int size)
{
    TestDeviceSettings settings;
    settings.width = settings.height = size;
    HDC dc = CreateTestDC(settings);
    ZAVTest::MemoryPicture green(1, 1, {kGreen});
    StretchBlt(dc, 0, 0, size, size, green.dc(), 0, 0, 1, 1, SRCCOPY);
    return dc;
}

int CountOf(HDC dc, COLORREF colour)
{
    int width = 0;
    int height = 0;
    int count = 0;
    for (COLORREF c : ZAVTest::SurfacePixels(dc, width, height))
        count += c == colour;
    return count;
}

}  // namespace

TEST(TransparentBlit, TheTransparentColourKeepsTheDestination)
{
    HDC dc = GreenDC(4);
    HBITMAP white = ZAVTest::MakePictureBitmap(2, 2, {kWhite, kWhite, kWhite, kWhite});
    DrawTransparentBitmap(dc, white, 1, 1, kWhite);
    EXPECT_EQ(CountOf(dc, kGreen), 16);

    HBITMAP mixed = ZAVTest::MakePictureBitmap(2, 1, {kRed, kWhite});
    DrawTransparentBitmap(dc, mixed, 0, 0, kWhite);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 0, 0), kRed);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 1, 0), kGreen);
    DeleteObject(white);
    DeleteObject(mixed);
    DeleteDC(dc);
}

TEST(TransparentBlit, StretchedFormCoversTheWholeDestination)
{
    HDC dc = GreenDC(6);
    HBITMAP red = ZAVTest::MakePictureBitmap(2, 2, {kRed, kRed, kRed, kRed});  // no transparent pixel in it
    DrawTransparentBitmapStretched(dc, red, RECT{1, 1, 5, 5}, RECT{0, 0, 2, 2}, kWhite, COLORONCOLOR);
    DeleteObject(red);
    EXPECT_EQ(CountOf(dc, kRed), 16);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 4, 4), kRed);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 5, 5), kGreen);
    DeleteDC(dc);
}

TEST(BitmapCache, BitmapsServeOnlyTheDeviceTheyWereMadeFor)
{
    TestDeviceSettings screenLike;
    TestDeviceSettings other = screenLike;
    other.logPixelsY = 120;
    TestDeviceSettings printer = screenLike;
    printer.technology = DT_RASPRINTER;
    HDC a = CreateTestDC(screenLike);
    HDC b = CreateTestDC(other);
    HDC p = CreateTestDC(printer);
    CBitmapCache cache;
    int made = 0;
    auto maker = [&](HDC dc) {
        ++made;
        return CreateCompatibleBitmap(dc, 2, 2);
    };
    HBITMAP first = cache.BuildBitmap(a, maker);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.GetBitmap(a), first);
    EXPECT_EQ(cache.GetBitmap(b), nullptr);
    EXPECT_EQ(cache.GetBitmap(p), nullptr);
    EXPECT_EQ(cache.BuildBitmap(p, maker), nullptr);  // made, refused and deleted
    EXPECT_EQ(made, 2);
    EXPECT_EQ(cache.GetBitmap(a), first);
    EXPECT_NE(cache.BuildBitmap(b, maker), nullptr);
    EXPECT_FALSE(DeleteObject(first));  // the replaced bitmap was deleted

    EXPECT_NE(cache.BuildDib(a, [](HDC) { return GlobalAlloc(GPTR, 8); }), nullptr);
    EXPECT_NE(cache.GetDib(a), nullptr);
    cache.Release();
    EXPECT_EQ(cache.GetDib(a), nullptr);
    DeleteDC(a);
    DeleteDC(b);
    DeleteDC(p);
}
