// The drawing records, a table of cases per record family: each metafile
// draws on a black 20 x 20 device one pixel per logical unit, and probes
// read where the records' own geometry puts ink. Then damaged records of
// every family stop the play as damaged data.
#include "platform/LastError.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"
#include "support/GdiPixels.h"
#include "support/MetafileBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAVTest;

namespace {

constexpr int32_t kFrame = 529;  // 20 x 20 pixels of the screen stand-in
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int32_t kWhitePen = int32_t(0x80000006);
constexpr int32_t kNullPen = int32_t(0x80000008);
constexpr int32_t kWhiteBrush = int32_t(0x80000000);

// A 16-bit point as one 32-bit value.
int32_t P16(int x, int y)
{
    return int32_t((uint32_t(y) << 16) | (uint32_t(x) & 0xFFFF));
}

struct Probe {
    int x, y;
    COLORREF colour;
};

struct Outcome {
    BOOL played = FALSE;
    DWORD error = 0;
    DWORD record = 0;
};

Outcome Play(const MetaBytes& bytes, const std::vector<Probe>& probes)
{
    ZAV::TestDeviceSettings settings;
    settings.width = settings.height = 20;
    HDC dc = ZAV::CreateTestDC(settings);
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    const RECT whole{0, 0, 20, 20};
    SetLastError(0);
    Outcome out;
    out.played = PlayEnhMetaFile(dc, metafile, &whole);
    out.error = GetLastError();
    out.record = ZAV::GetLastUnplayedRecord();
    for (const Probe& p : probes)
        EXPECT_EQ(p.colour, PixelAt(dc, p.x, p.y)) << "at " << p.x << "," << p.y;
    DeleteEnhMetaFile(metafile);
    DeleteDC(dc);
    return out;
}

// White pen and brush selected first.
EmfBuilder White()
{
    EmfBuilder emf(kFrame, kFrame);
    emf.Values(37, {kWhitePen}).Values(37, {kWhiteBrush});
    return emf;
}

// A filled white shape without outline.
EmfBuilder Filled()
{
    EmfBuilder emf = White();
    emf.Values(37, {kNullPen});
    return emf;
}

TEST(EmfDrawingPlay, EachRecordFamilyDrawsWhereItsGeometrySays)
{
    const struct {
        const char* family;
        MetaBytes bytes;
        std::vector<Probe> probes;
    } cases[] = {
        // Lines: a line lights its first pixel, not its last.
        {"EMR_POLYLINE16",
         White().Values(87, {0, 0, 0, 0, 2, P16(2, 5), P16(12, 5)}).Finish(),
         {{2, 5, kWhite}, {11, 5, kWhite}, {12, 5, kBlack}, {6, 6, kBlack}}},
        {"EMR_POLYLINE",
         White().Values(4, {0, 0, 0, 0, 2, 2, 5, 12, 5}).Finish(),
         {{2, 5, kWhite}, {11, 5, kWhite}, {12, 5, kBlack}}},
        {"EMR_MOVETOEX and EMR_LINETO",
         White().Values(27, {3, 1}).Values(54, {3, 9}).Finish(),
         {{3, 1, kWhite}, {3, 8, kWhite}, {3, 9, kBlack}}},
        {"EMR_POLYLINETO16 from the current position",
         White().Values(27, {1, 1}).Values(89, {0, 0, 0, 0, 1, P16(1, 10)}).Finish(),
         {{1, 5, kWhite}}},
        {"EMR_POLYBEZIER16 through its end points",
         White().Values(85, {0, 0, 0, 0, 4, P16(2, 15), P16(2, 2), P16(17, 2), P16(17, 15)}).Finish(),
         {{2, 14, kWhite}, {10, 5, kWhite}, {10, 10, kBlack}}},
        {"EMR_POLYBEZIERTO",
         White().Values(27, {2, 15}).Values(5, {0, 0, 0, 0, 3, 2, 2, 17, 2, 17, 15}).Finish(),
         {{10, 5, kWhite}}},
        // Polygons and both fill modes: nested squares wound the same way.
        {"EMR_POLYGON16",
         Filled().Values(86, {0, 0, 0, 0, 4, P16(2, 2), P16(10, 2), P16(10, 10), P16(2, 10)}).Finish(),
         {{2, 2, kWhite}, {9, 9, kWhite}, {10, 10, kBlack}}},
        {"EMR_POLYGON",
         Filled().Values(3, {0, 0, 0, 0, 3, 0, 0, 20, 0, 0, 20}).Finish(),
         {{2, 2, kWhite}, {18, 18, kBlack}}},
        {"EMR_POLYPOLYGON16 ALTERNATE",
         Filled()
             .Values(91, {0, 0, 0, 0, 2, 8, 4, 4, P16(0, 0), P16(18, 0), P16(18, 18), P16(0, 18), P16(6, 6), P16(12, 6),
                          P16(12, 12), P16(6, 12)})
             .Finish(),
         {{2, 2, kWhite}, {9, 9, kBlack}}},
        {"EMR_POLYPOLYGON WINDING",
         Filled()
             .Values(19, {2})
             .Values(8, {0, 0, 0, 0, 2, 8, 4, 4, 0, 0, 18, 0, 18, 18, 0, 18, 6, 6, 12, 6, 12, 12, 6, 12})
             .Finish(),
         {{2, 2, kWhite}, {9, 9, kWhite}}},
        // Box shapes.
        {"EMR_RECTANGLE",
         White().Values(43, {2, 2, 12, 8}).Finish(),
         {{2, 2, kWhite}, {11, 7, kWhite}, {12, 8, kBlack}}},
        {"EMR_ELLIPSE",
         Filled().Values(42, {0, 0, 20, 20}).Finish(),
         {{10, 10, kWhite}, {1, 1, kBlack}, {10, 1, kWhite}}},
        {"EMR_ROUNDRECT",
         Filled().Values(44, {0, 0, 20, 20, 10, 10}).Finish(),
         {{10, 10, kWhite}, {0, 0, kBlack}, {10, 0, kWhite}}},
        {"EMR_PIE: the quarter counter-clockwise from east to north",
         Filled().Values(47, {0, 0, 20, 20, 20, 10, 10, 0}).Finish(),
         {{14, 5, kWhite}, {5, 5, kBlack}, {14, 14, kBlack}}},
        {"EMR_CHORD", Filled().Values(46, {0, 0, 20, 20, 20, 10, 0, 10}).Finish(), {{10, 5, kWhite}, {10, 15, kBlack}}},
        {"EMR_ARC",
         White().Values(45, {0, 0, 20, 20, 20, 10, 0, 10}).Finish(),
         {{10, 0, kWhite}, {10, 5, kBlack}, {10, 19, kBlack}}},
        {"EMR_SETPIXELV",
         EmfBuilder(kFrame, kFrame).Values(15, {4, 7, 0x0000FF}).Finish(),
         {{4, 7, kRed}, {5, 7, kBlack}}},
        // Objects: a deleted object stays selected; pens have widths.
        {"EMR_CREATEBRUSHINDIRECT, EMR_DELETEOBJECT",
         Filled().Values(39, {1, 0, 0x0000FF, 0}).Values(37, {1}).Values(40, {1}).Values(43, {0, 0, 5, 5}).Finish(),
         {{2, 2, kRed}}},
        {"EMR_CREATEBRUSHINDIRECT hatched",
         Filled().Values(18, {1}).Values(39, {1, 2, 0x0000FF, 0}).Values(37, {1}).Values(43, {0, 0, 8, 8}).Finish(),
         {{0, 4, kRed}, {0, 3, kBlack}}},
        {"EMR_CREATEPEN 5 wide",
         White().Values(38, {1, 0, 5, 0, 0x0000FF}).Values(37, {1}).Values(27, {2, 10}).Values(54, {18, 10}).Finish(),
         {{10, 8, kRed}, {10, 12, kRed}, {10, 13, kBlack}, {10, 7, kBlack}}},
        {"EMR_EXTCREATEPEN 5 wide, flat caps",
         White()
             .Values(95, {1, 0, 0, 0, 0, 0x00010200, 5, 0, 0x0000FF, 0, 0})
             .Values(37, {1})
             .Values(27, {4, 10})
             .Values(54, {16, 10})
             .Finish(),
         {{4, 10, kRed}, {3, 10, kBlack}, {15, 12, kRed}, {18, 10, kBlack}}},
        {"stock NULL_PEN draws nothing",
         EmfBuilder(kFrame, kFrame).Values(37, {kNullPen}).Values(54, {10, 10}).Finish(),
         {{0, 0, kBlack}, {5, 5, kBlack}}},
        // World transforms: 2 x scale and a move of 4.
        {"EMR_SETWORLDTRANSFORM",
         Filled().Values(35, {0x40000000, 0, 0, 0x40000000, 0x40800000, 0x40800000}).Values(43, {0, 0, 3, 3}).Finish(),
         {{4, 4, kWhite}, {9, 9, kWhite}, {10, 10, kBlack}, {3, 3, kBlack}}},
        {"EMR_MODIFYWORLDTRANSFORM identity",
         Filled()
             .Values(35, {0x40000000, 0, 0, 0x40000000, 0x40800000, 0x40800000})
             .Values(36, {0x3F800000, 0, 0, 0x3F800000, 0, 0, 1})
             .Values(43, {0, 0, 3, 3})
             .Finish(),
         {{0, 0, kWhite}, {4, 4, kBlack}}},
        // Paths.
        {"EMR_BEGINPATH ... EMR_FILLPATH",
         Filled()
             .Values(59, {})
             .Values(86, {0, 0, 0, 0, 3, P16(0, 0), P16(16, 0), P16(0, 16)})
             .Values(60, {})
             .Values(62, {0, 0, 20, 20})
             .Finish(),
         {{2, 2, kWhite}, {15, 15, kBlack}}},
        {"EMR_STROKEPATH",
         White()
             .Values(59, {})
             .Values(27, {1, 4})
             .Values(54, {10, 4})
             .Values(60, {})
             .Values(64, {0, 0, 20, 20})
             .Finish(),
         {{5, 4, kWhite}, {5, 5, kBlack}}},
        {"EMR_SELECTCLIPPATH",
         Filled()
             .Values(59, {})
             .Values(43, {0, 0, 10, 10})
             .Values(60, {})
             .Values(67, {RGN_COPY})
             .Values(43, {0, 0, 20, 20})
             .Finish(),
         {{5, 5, kWhite}, {15, 15, kBlack}}},
        // Regions: two rectangles.
        {"EMR_PAINTRGN",
         Filled().Values(74, {0, 0, 20, 20, 64, 32, 1, 2, 32, 0, 0, 20, 20, 0, 0, 4, 4, 10, 10, 14, 14}).Finish(),
         {{2, 2, kWhite}, {12, 12, kWhite}, {7, 7, kBlack}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        const Outcome out = Play(c.bytes, c.probes);
        EXPECT_TRUE(out.played) << "stopped at record " << out.record;
    }
}

TEST(EmfDrawingPlay, TextDrawsInTheTextAndBackgroundColours)
{
    // "II" at (1, 1), 16 units high, white on an opaque red background.
    MetaBytes font = {82, 0, 0, 0, 104, 0, 0, 0, 1, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF};  // height -16
    font.resize(104, 0);
    font[28] = 0x90, font[29] = 0x01;  // weight 400
    const char* face = "DejaVu Sans";
    for (size_t i = 0; face[i]; ++i)
        font[40 + 2 * i] = static_cast<uint8_t>(face[i]);
    MetaBytes text = {84, 0, 0, 0, 80, 0, 0, 0};
    text.resize(80, 0);
    Patch32(text, 36, 1), Patch32(text, 40, 1);   // the reference point
    Patch32(text, 44, 2), Patch32(text, 48, 76);  // two characters at 76
    text[76] = 'I', text[78] = 'I';
    const MetaBytes bytes = EmfBuilder(kFrame, kFrame)
                                .Raw(font)
                                .Values(37, {1})
                                .Values(24, {0xFFFFFF})
                                .Values(25, {0x0000FF})
                                .Values(18, {2})
                                .Raw(text)
                                .Finish();
    ZAV::TestDeviceSettings settings;
    settings.width = settings.height = 20;
    HDC dc = ZAV::CreateTestDC(settings);
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    const RECT whole{0, 0, 20, 20};
    ASSERT_TRUE(PlayEnhMetaFile(dc, metafile, &whole));
    int white = 0, red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            white += PixelAt(dc, x, y) == kWhite;
            red += PixelAt(dc, x, y) == kRed;
        }
    EXPECT_GT(white, 10);                    // the glyphs' stems
    EXPECT_GT(red, 40);                      // the opaque background behind them
    EXPECT_EQ(kBlack, PixelAt(dc, 19, 19));  // past the text
    EXPECT_EQ(kBlack, PixelAt(dc, 0, 0));    // above and left of the reference point
    const auto texts = ZAV::GetRecordedTexts(dc);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("II", texts[0].text);
    DeleteEnhMetaFile(metafile);
    DeleteDC(dc);
}

TEST(EmfDrawingPlay, DamagedRecordsOfEveryFamilyStopThePlay)
{
    const struct {
        const char* family;
        MetaBytes bytes;
        DWORD record;
        DWORD error;
    } cases[] = {
        {"count past the record", EmfBuilder(kFrame, kFrame).Values(87, {0, 0, 0, 0, 100, 0}).Finish(), 87,
         ERROR_INVALID_DATA},
        {"32-bit count past the record", EmfBuilder(kFrame, kFrame).Values(4, {0, 0, 0, 0, -1, 0, 0}).Finish(), 4,
         ERROR_INVALID_DATA},
        {"polygon counts not summing to the total",
         EmfBuilder(kFrame, kFrame).Values(91, {0, 0, 0, 0, 1, 5, 4, 0, 0, 0, 0}).Finish(), 91, ERROR_INVALID_DATA},
        {"polygon count array past the record",
         EmfBuilder(kFrame, kFrame).Values(8, {0, 0, 0, 0, 0x40000000, 1}).Finish(), 8, ERROR_INVALID_DATA},
        {"box record cut short", EmfBuilder(kFrame, kFrame).Values(47, {0, 0, 10, 10}).Finish(), 47,
         ERROR_INVALID_DATA},
        {"object index 0", EmfBuilder(kFrame, kFrame).Values(39, {0, 0, 0, 0}).Finish(), 39, ERROR_INVALID_DATA},
        {"object index past the table", EmfBuilder(kFrame, kFrame).Values(38, {70000, 0, 1, 0, 0}).Finish(), 38,
         ERROR_INVALID_DATA},
        {"selecting an empty index", EmfBuilder(kFrame, kFrame).Values(37, {5}).Finish(), 37, ERROR_INVALID_DATA},
        {"style entries past the record",
         EmfBuilder(kFrame, kFrame).Values(95, {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1000}).Finish(), 95, ERROR_INVALID_DATA},
        {"text past the record",
         EmfBuilder(kFrame, kFrame).Values(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 50, 76, 0, 0, 0, 0, 0, 0}).Finish(), 84,
         ERROR_INVALID_DATA},
        {"advances past the record",
         EmfBuilder(kFrame, kFrame).Values(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 76, 0, 0, 0, 0, 0, 400, 65}).Finish(), 84,
         ERROR_INVALID_DATA},
        {"world transform of infinity",
         EmfBuilder(kFrame, kFrame).Values(35, {0x7F800000, 0, 0, 0x3F800000, 0, 0}).Finish(), 35, ERROR_INVALID_DATA},
        {"a transform that cannot be inverted, then a line",
         EmfBuilder(kFrame, kFrame).Values(35, {0, 0, 0, 0, 0, 0}).Values(54, {5, 5}).Finish(), 54, ERROR_INVALID_DATA},
        {"region count past the record",
         EmfBuilder(kFrame, kFrame).Values(74, {0, 0, 20, 20, 48, 32, 1, 9, 0, 0, 0, 0, 0}).Finish(), 74,
         ERROR_INVALID_DATA},
        {"text of glyph numbers",
         EmfBuilder(kFrame, kFrame).Values(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 76, 0x10, 0, 0, 0, 0, 0, 65}).Finish(),
         84, ERROR_NOT_SUPPORTED},
        {"pattern brush", EmfBuilder(kFrame, kFrame).Values(94, {1, 0, 0, 0, 0, 0}).Finish(), 94, ERROR_NOT_SUPPORTED},
        {"user-styled pen", EmfBuilder(kFrame, kFrame).Values(38, {1, 7, 1, 0, 0}).Finish(), 38, ERROR_NOT_SUPPORTED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        const Outcome out = Play(c.bytes, {});
        EXPECT_FALSE(out.played);
        EXPECT_EQ(c.record, out.record);
        EXPECT_EQ(c.error, out.error);
    }
}

}  // namespace
