#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/DrawDib.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/Metafiles.h"
#include "support/GdiPixels.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

HDC SmallDC(int width, int height)
{
    ZAV::TestDeviceSettings settings;
    settings.width = width;
    settings.height = height;
    return ZAV::CreateTestDC(settings);
}

}  // namespace

TEST(Drawing, RectangleOutlinesInThePenAndFillsInTheBrush)
{
    HDC dc = SmallDC(5, 5);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    ASSERT_TRUE(Rectangle(dc, 0, 0, 4, 4));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 4, 4), 0u);  // right and bottom are outside
    RECT r{4, 0, 5, 5};
    FillRect(dc, &r, brush);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 4, 4), RGB(0, 0, 255));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);
}

TEST(Drawing, TextIsRecordedWithItsFont)
{
    HDC dc = SmallDC(4, 4);
    LOGFONTA logFont{};
    logFont.lfHeight = -16;
    std::snprintf(logFont.lfFaceName, LF_FACESIZE, "%s", "Arial");
    HFONT font = CreateFontIndirectA(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    TextOutA(dc, 3, 4, "Hello there", 5);
    RECT box{10, 20, 30, 40};
    DrawTextA(dc, "Tip", -1, &box, DT_SINGLELINE);
    const auto texts = ZAV::GetRecordedTexts(dc);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Hello");
    EXPECT_EQ(texts[0].x, 3);
    EXPECT_EQ(texts[0].face, "Arial");
    EXPECT_EQ(texts[0].height, -16);
    EXPECT_EQ(texts[1].text, "Tip");
    EXPECT_EQ(texts[1].y, 20);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

TEST(Drawing, DrawDibDrawsLikeStretchDibitsAndItsKnobsFail)
{
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const uint8_t bits[8] = {255, 0, 0, 0, 0, 0, 255, 0};  // bottom blue, top red
    HDC dc = SmallDC(1, 2);
    HDRAWDIB drawDib = DrawDibOpen();
    ASSERT_NE(drawDib, nullptr);
    ASSERT_TRUE(DrawDibDraw(drawDib, dc, 0, 0, 1, 1, &info.bmiHeader, bits, 0, 0, 1, 1, DDF_BACKGROUNDPAL));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 0, 0), RGB(255, 0, 0));  // source rows count from the top
    ZAV::GdiKnobs().drawDibDraw = true;
    EXPECT_FALSE(DrawDibDraw(drawDib, dc, 0, 0, 1, 1, &info.bmiHeader, bits, 0, 0, 1, 1, 0));
    ZAV::GdiKnobs().drawDibOpen = true;
    EXPECT_EQ(DrawDibOpen(), nullptr);
    ZAV::ResetGdiKnobs();
    EXPECT_TRUE(DrawDibClose(drawDib));
    DeleteDC(dc);
}

TEST(Drawing, EnhancedMetafilesCopyTheirBytesToFiles)
{
    const BYTE bytes[] = {1, 2, 3, 4, 5};
    HENHMETAFILE metafile = SetEnhMetaFileBits(sizeof bytes, bytes);
    ZAVTest::TempDir dir;
    HENHMETAFILE copy = CopyEnhMetaFileA(metafile, dir.File("a.emf").c_str());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("a.emf")), std::vector<uint8_t>(bytes, bytes + 5));
    EXPECT_EQ(CopyEnhMetaFileA(metafile, dir.File("no/such/folder.emf").c_str()), nullptr);
    EXPECT_EQ(GetEnhMetaFileBits(copy, 0, nullptr), 5u);
    EXPECT_TRUE(DeleteEnhMetaFile(copy));
    EXPECT_TRUE(DeleteEnhMetaFile(metafile));
    EXPECT_FALSE(DeleteEnhMetaFile(metafile));
}
