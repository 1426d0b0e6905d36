// Metafiles that draw lines, shapes, paths and text, made by independent
// writers and decoded by the codec, against independent renderers of the
// same files at the same size: enhanced metafiles written through libEMF
// (the EmfSampleWriter program) against emf2svg-conv piped to
// rsvg-convert, old-style metafiles written here record by record from the
// published WMF layout against libwmf's wmf2gd. Filled areas must agree
// (intersection over union of the filled areas at least 0.9 per file),
// thin strokes and text must lie where the reference puts them, and colours
// probed at points the records define must be exact. Where a reference
// ignores a feature, the feature's box is left out of the comparison and
// probes check it against the record's own geometry instead.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/PillowRgb.h"
#include "image/object/ZAVImg.h"
#include "support/InkComparison.h"
#include "support/MetafileBuilder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

struct Probe {
    int x, y;
    uint32_t rgb;  // 0xRRGGBB
    const char* what;
};

struct Picture {
    std::vector<uint8_t> rgb;
    int width = 0;
    int height = 0;
};

Picture Decoded(const std::string& path)
{
    CZAVImg image;
    image.LoadFromFile(path.c_str(), zavifWMF);
    return Picture{ImageRgb(image), image.GetWidth(), image.GetHeight()};
}

Picture FromPillow(const std::string& png)
{
    const PillowPicture p = PillowRgb(png);
    return Picture{p.rgb, p.width, p.height};
}

Picture EmfReference(const TempDir& dir, const std::string& emf, int width, int height)
{
    const std::string size = " -w " + std::to_string(width) + " -h " + std::to_string(height);
    const RunResult svg = Run("emf2svg-conv -i " + ShellQuote(emf) + " -o " + ShellQuote(dir.File("ref.svg")) + size);
    EXPECT_EQ(0, svg.exitCode) << svg.output;
    const RunResult png = Run("rsvg-convert -b white -w " + std::to_string(width) + " -h " + std::to_string(height) +
                              " -o " + ShellQuote(dir.File("ref.png")) + " " + ShellQuote(dir.File("ref.svg")));
    EXPECT_EQ(0, png.exitCode) << png.output;
    return FromPillow(dir.File("ref.png"));
}

Picture WmfReference(const TempDir& dir, const std::string& wmf, int width, int height)
{
    const RunResult run = Run("wmf2gd --maxwidth=" + std::to_string(width) + " --maxheight=" + std::to_string(height) +
                              " --maxsize -o " + ShellQuote(dir.File("ref.png")) + " " + ShellQuote(wmf));
    EXPECT_EQ(0, run.exitCode) << run.output;
    return FromPillow(dir.File("ref.png"));
}

uint32_t At(const Picture& p, int x, int y)
{
    const size_t i = (static_cast<size_t>(y) * p.width + x) * 3;
    return (uint32_t(p.rgb[i]) << 16) | (uint32_t(p.rgb[i + 1]) << 8) | p.rgb[i + 2];
}

// The comparison of one file; returns the filled areas' intersection over union.
double Compare(const std::string& name, const Picture& ours, const Picture& theirs, const std::vector<InkBox>& ignored,
               const std::vector<Probe>& probes)
{
    EXPECT_EQ(ours.width, theirs.width);
    EXPECT_EQ(ours.height, theirs.height);
    if (ours.width != theirs.width || ours.height != theirs.height)
        return 0;
    const InkMask a(ours.rgb, ours.width, ours.height), b(theirs.rgb, theirs.width, theirs.height);
    const double iou = IntersectionOverUnion(a.Filled(), b.Filled(), ignored);
    std::cout << name << ": filled areas agree with intersection over union " << iou << "\n";
    EXPECT_GE(iou, 0.9);
    // Strokes and text: antialiasing and the renderers' own glyphs move
    // edges by a pixel or two, never more.
    EXPECT_GE(ShareNear(a, b, 3, ignored), 0.97) << "our ink far from theirs";
    EXPECT_GE(ShareNear(b, a, 3, ignored), 0.97) << "their ink far from ours";
    for (const Probe& p : probes)
        EXPECT_EQ(p.rgb, At(ours, p.x, p.y)) << p.what << " at " << p.x << "," << p.y;
    return iou;
}

constexpr uint32_t kWhite = 0xFFFFFF;

TEST(MetafileDrawing, LibEmfPicturesDecodeAsEmf2svgAndRsvgDrawThem)
{
    ASSERT_TRUE(HaveTool("emf2svg-conv"));
    ASSERT_TRUE(HaveTool("rsvg-convert"));
    const struct {
        const char* name;
        std::vector<InkBox> ignored;
        std::vector<Probe> probes;
    } cases[] = {
        {"shapes",
         // emf2svg fills the ALTERNATE star as if WINDING and draws every
         // EMR_CREATEPEN pen one pixel wide: both are checked by probes.
         {{10, 76, 90, 154}, {200, 150, 300, 229}},
         {{50, 40, 0xDC1E1E, "inside the filled ellipse"},
          {150, 35, 0x1EA028, "inside the rectangle drawn without a pen"},
          {250, 20, 0xFA9600, "on the 12 wide flat-capped pen"},
          {250, 14, 0xFA9600, "on the wide pen's upper edge"},
          {250, 26, kWhite, "below the wide pen"},
          {150, 120, 0x1E3CC8, "the centre of a WINDING star"},
          {50, 115, kWhite, "the centre of the ALTERNATE star stays empty"},
          {30, 110, 0x1E3CC8, "an arm of the ALTERNATE star"},
          {250, 157, 0x960096, "the 6 wide arc's outer edge at its top"},
          {250, 162, 0x960096, "the 6 wide arc's inner edge at its top"},
          {250, 165, kWhite, "inside the arc, past its pen"},
          {50, 175, 0x009696, "inside the chord made as a path"},
          {50, 205, kWhite, "below the chord's straight side"},
          {100, 80, kWhite, "the background"}}},
        {"paths",
         // emf2svg draws hatched brushes as solid black and pens of
         // EMR_CREATEPEN one pixel wide; both boxes are probed instead.
         {{195, 125, 300, 215}, {0, 0, 210, 130}},
         {{262, 60, 0xF0C828, "inside the filled path"},
          {201, 131, 0x78DCFA, "a gap of the cross hatch in the background colour"},
          {204, 131, 0x000000, "a vertical line of the cross hatch"},
          {201, 140, 0x000000, "a horizontal line of the cross hatch"},
          {195, 170, kWhite, "left of the rectangle the world transform moved"},
          {10, 61, 0x000078, "the 3 wide bezier's first point"},
          {105, 30, kWhite, "the background"}}},
        {"large", {}, {{150, 100, 0x005AC8, "inside the triangle"}, {150, 150, kWhite, "inside the white ellipse"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string emf = dir.File(std::string(c.name) + ".emf");
        const RunResult made = ZAVTest::Run(std::string(ZAV_EMF_SAMPLE_WRITER) + " " + c.name + " " + ShellQuote(emf));
        ASSERT_EQ(0, made.exitCode) << made.output;
        const Picture ours = Decoded(emf);
        ASSERT_GT(ours.width, 0);
        Compare(std::string("libEMF ") + c.name, ours, EmfReference(dir, emf, ours.width, ours.height), c.ignored,
                c.probes);
    }
}

// 288 x 192 units at 96 units an inch: every old-style drawing family,
// objects taking freed table indexes again.
MetaBytes WmfShapes()
{
    WmfBuilder wmf;
    wmf.Record(0x020B, {0, 0}).Record(0x020C, {192, 288});
    const auto colour = [](uint32_t rgb) {  // a COLORREF as two words
        const uint32_t ref = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        return std::pair<int32_t, int32_t>(ref & 0xFFFF, ref >> 16);
    };
    const auto pen = [&](int width, uint32_t rgb) {
        wmf.Record(0x02FA, {0, width, 0, colour(rgb).first, colour(rgb).second});
    };
    const auto brush = [&](uint32_t rgb) { wmf.Record(0x02FC, {0, colour(rgb).first, colour(rgb).second, 0}); };
    // wmf2gd scales what the records draw to its picture: a white page
    // under everything makes that the whole frame.
    wmf.Record(0x02FA, {5, 0, 0, 0, 0}).Record(0x012D, {0});  // a null pen, index 0
    brush(0xFFFFFF);                                          // index 1
    wmf.Record(0x012D, {1}).Record(0x041B, {192, 288, 0, 0});
    wmf.Record(0x01F0, {0}).Record(0x01F0, {1});
    pen(1, 0x000000);                             // index 0
    brush(0xDC1E1E);                              // index 1
    wmf.Record(0x012D, {0}).Record(0x012D, {1});  // select both
    wmf.Record(0x0418, {70, 90, 10, 10});         // ellipse
    brush(0x1EA028);                              // index 2
    wmf.Record(0x012D, {2}).Record(0x01F0, {1});  // the red brush is deleted
    wmf.Record(0x041B, {70, 190, 10, 110});       // rectangle
    brush(0x1E3CC8);                              // index 1 again
    wmf.Record(0x012D, {1});
    wmf.Record(0x081A, {10, 240, 50, 280, 90, 280, 10, 200});  // pie: the upper right quarter
    brush(0xC8C800);                                           // index 3
    wmf.Record(0x012D, {3});
    wmf.Record(0x061C, {20, 30, 150, 90, 90, 10});         // rounded rectangle
    wmf.Record(0x0324, {3, 150, 90, 190, 150, 110, 150});  // triangle
    wmf.Record(0x0106, {1});                               // ALTERNATE
    wmf.Record(0x0538, {2, 4, 4, 200, 90, 280, 90, 280, 150, 200, 150, 220, 105, 260, 105, 260, 135, 220, 135});
    wmf.Record(0x0325, {4, 110, 160, 140, 190, 160, 165, 190, 190});  // zigzag
    pen(8, 0x1E3CC8);                                                 // index 4
    wmf.Record(0x012D, {4});
    wmf.Record(0x0214, {175, 200}).Record(0x0213, {175, 280});  // MoveTo, LineTo
    // A 24 unit bold font, red text on a transparent background, high
    // enough that wmf2gd's estimate of its box stays inside the frame.
    const MetaBytes face = {'A', 'r', 'i', 'a', 'l', 0};
    wmf.Record(0x02FB, {-24, 0, 0, 0, 700, 0, 0, 0, 0}, face);  // index 5
    wmf.Record(0x012D, {5}).Record(0x0209, {colour(0xC80000).first, colour(0xC80000).second});
    wmf.Record(0x0102, {1}).Record(0x012E, {0});
    wmf.Record(0x0521, {3, 'W' | ('M' << 8), 'F', 156, 15});  // "WMF" at (15, 156)
    MetaBytes bytes = wmf.FinishPlaceable(0, 0, 288, 192, 96);
    bytes[22 + 10] = 6;  // NumberOfObjects of META_HEADER: the table's size
    return bytes;
}

TEST(MetafileDrawing, HandWrittenWmfDecodesAsWmf2gdDrawsIt)
{
    ASSERT_TRUE(HaveTool("wmf2gd"));
    TempDir dir;
    WriteBytes(dir.File("shapes.wmf"), WmfShapes());
    const Picture ours = Decoded(dir.File("shapes.wmf"));
    ASSERT_EQ(288, ours.width);
    ASSERT_EQ(192, ours.height);
    // wmf2gd leaves the ellipse unfilled and draws the rounded rectangle
    // with square corners: their boxes are probed instead.
    Compare("hand-written WMF", ours, WmfReference(dir, dir.File("shapes.wmf"), 288, 192),
            {{5, 5, 95, 75}, {5, 85, 95, 155}},
            {{50, 40, 0xDC1E1E, "inside the ellipse"},
             {14, 14, kWhite, "outside the ellipse, inside its box"},
             {12, 92, kWhite, "a rounded corner"},
             {10, 120, 0x000000, "the rounded rectangle's left side"},
             {150, 40, 0x1EA028, "inside the rectangle"},
             {255, 35, 0x1E3CC8, "inside the pie"},
             {225, 65, kWhite, "outside the pie's quarter"},
             {50, 120, 0xC8C800, "inside the rounded rectangle"},
             {240, 120, kWhite, "the hole of the ALTERNATE polygon pair"},
             {205, 120, 0xC8C800, "the ring of the polygon pair"},
             {240, 172, 0x1E3CC8, "on the 8 wide pen"},
             {240, 178, 0x1E3CC8, "on the 8 wide pen's lower edge"},
             {240, 183, kWhite, "below the 8 wide pen"},
             {100, 80, kWhite, "the background"}});
}

}  // namespace
