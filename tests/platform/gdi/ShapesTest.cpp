// The graphics layer's drawing calls on a black test DC, a table of cases
// per family: pens and brushes, shapes, paths and clip paths, pixels, text.
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/draw/Paths.h"
#include "platform/gdi/draw/Shapes.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct Probe {
    int x, y;
    COLORREF colour;
};

TEST(Shapes, EachFamilyDrawsWhereItsGeometrySays)
{
    const struct {
        const char* family;
        std::function<void(HDC)> draw;
        std::vector<Probe> probes;
    } cases[] = {
        {"LineTo ends before its point",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(WHITE_PEN));
             MoveToEx(dc, 1, 1, nullptr);
             LineTo(dc, 8, 1);
         },
         {{1, 1, kWhite}, {7, 1, kWhite}, {8, 1, kBlack}}},
        {"a 4 wide pen is centred on the line",
         [](HDC dc) {
             SelectObject(dc, CreatePen(PS_SOLID, 4, kRed));
             MoveToEx(dc, 2, 8, nullptr);
             LineTo(dc, 14, 8);
         },
         {{8, 6, kRed}, {8, 9, kRed}, {8, 5, kBlack}, {8, 11, kBlack}}},
        {"a dashed pen leaves gaps",
         [](HDC dc) {
             SelectObject(dc, CreatePen(PS_DOT, 0, kWhite));
             MoveToEx(dc, 0, 3, nullptr);
             LineTo(dc, 16, 3);
         },
         {{0, 3, kWhite}, {2, 3, kWhite}, {3, 3, kBlack}, {6, 3, kWhite}}},
        {"Polygon ALTERNATE and WINDING",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_PEN));
             SelectObject(dc, CreateSolidBrush(kBlue));
             const POINT points[8] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}, {4, 4}, {12, 4}, {12, 12}, {4, 12}};
             const int counts[2] = {4, 4};
             PolyPolygon(dc, points, counts, 2);
             SetPolyFillMode(dc, WINDING);
             SelectObject(dc, CreateSolidBrush(kRed));
             const POINT square[4] = {{6, 6}, {10, 6}, {10, 10}, {6, 10}};
             Polygon(dc, square, 4);
         },
         {{1, 1, kBlue}, {5, 5, kBlack}, {8, 8, kRed}}},
        {"Ellipse and RoundRect",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_PEN));
             SelectObject(dc, GetStockObject(WHITE_BRUSH));
             Ellipse(dc, 0, 0, 16, 8);
             RoundRect(dc, 0, 8, 16, 16, 8, 8);
         },
         {{8, 4, kWhite}, {0, 0, kBlack}, {8, 8, kWhite}, {0, 8, kBlack}, {8, 15, kWhite}}},
        {"a hatched brush in the background mode",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_PEN));
             SelectObject(dc, CreateHatchBrush(HS_VERTICAL, kWhite));
             SetBkColor(dc, kRed);
             Rectangle(dc, 0, 0, 8, 8);
             SetBkMode(dc, TRANSPARENT);
             Rectangle(dc, 8, 0, 16, 8);
         },
         {{4, 1, kWhite}, {1, 1, kRed}, {12, 1, kWhite}, {9, 1, kBlack}}},
        {"paths: StrokeAndFillPath and SelectClipPath",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_PEN));
             SelectObject(dc, CreateSolidBrush(kRed));
             BeginPath(dc);
             MoveToEx(dc, 0, 0, nullptr);
             LineTo(dc, 8, 0);
             LineTo(dc, 0, 8);
             CloseFigure(dc);
             EndPath(dc);
             SelectClipPath(dc, RGN_COPY);
             Rectangle(dc, 0, 0, 16, 16);
         },
         {{1, 1, kRed}, {6, 6, kBlack}, {12, 12, kBlack}}},
        {"Pie and Chord",
         [](HDC dc) {
             SelectObject(dc, GetStockObject(NULL_PEN));
             SelectObject(dc, GetStockObject(WHITE_BRUSH));
             Pie(dc, 0, 0, 16, 16, 16, 8, 8, 0);  // the upper right quarter
         },
         {{11, 4, kWhite}, {4, 4, kBlack}, {11, 11, kBlack}}},
        {"SetPixel", [](HDC dc) { SetPixel(dc, 3, 4, kBlue); }, {{3, 4, kBlue}, {4, 4, kBlack}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        ZAV::TestDeviceSettings settings;
        settings.width = settings.height = 16;
        HDC dc = ZAV::CreateTestDC(settings);
        c.draw(dc);
        for (const Probe& p : c.probes)
            EXPECT_EQ(p.colour, ZAVTest::PixelAt(dc, p.x, p.y)) << "at " << p.x << "," << p.y;
        // Selected objects are freed with the stock ones put back.
        DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN)));
        DeleteObject(SelectObject(dc, GetStockObject(WHITE_BRUSH)));
        DeleteDC(dc);
    }
}

TEST(Shapes, TextIsDrawnAlignedInTheTextColourAndRecorded)
{
    const struct {
        UINT align;
        int inkLeft, inkRight;  // the columns the glyphs may take
    } cases[] = {{TA_LEFT | TA_TOP, 20, 60}, {TA_RIGHT | TA_TOP, 0, 21}, {TA_CENTER | TA_TOP, 3, 38}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        ZAV::TestDeviceSettings settings;
        settings.width = 60, settings.height = 30;
        HDC dc = ZAV::CreateTestDC(settings);
        LOGFONTA logFont{};
        logFont.lfHeight = -20;
        std::snprintf(logFont.lfFaceName, LF_FACESIZE, "%s", "DejaVu Sans");
        HFONT font = CreateFontIndirectA(&logFont);
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, kWhite);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, c.align);
        ASSERT_TRUE(TextOutA(dc, 20, 4, "HH", 2));
        int left = 60, right = -1, top = 30;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x)
                if (ZAVTest::PixelAt(dc, x, y) == kWhite)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y);
        EXPECT_GE(left, c.inkLeft);
        EXPECT_LT(right, c.inkRight);
        EXPECT_GT(right - left, 10);  // two glyphs of a 20 pixel font
        EXPECT_GE(top, 4);            // TA_TOP: the glyphs hang below the point
        ASSERT_EQ(1u, ZAV::GetRecordedTexts(dc).size());
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
}

}  // namespace
