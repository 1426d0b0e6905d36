// Symbol dictionaries and text regions written by our encoders decode in
// jbig2dec and in our decoder to the page the instances make.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SymbolFileBuilder.h"

using namespace JB2Test;
using namespace ZAV;

namespace {

constexpr uint32_t kPageWidth = 240;
constexpr uint32_t kPageHeight = 150;
constexpr uint32_t kRegionX = 7;
constexpr uint32_t kRegionY = 5;

// Glyphs of non-decreasing height, as a dictionary takes its new symbols.
std::vector<Page> Glyphs(uint32_t count, uint32_t seed)
{
    std::vector<Page> glyphs;
    for (uint32_t i = 0; i < count; ++i)
        glyphs.push_back(Glyph(5 + (i * 7 + seed) % 14, 6 + i * 2, seed * 31 + i));
    return glyphs;
}

// One instance: glyph g at (x, y) of the region, drawn as `shape` when refined.
struct Placed {
    uint32_t glyph;
    int32_t x;
    int32_t y;
    bool refined;
    Page shape;
    int32_t dx = 0;
    int32_t dy = 0;
};

// A grid of instances, every third one refined by a noisy copy and the
// fifth by a narrower one (RDW -3), the last one hanging off the region.
std::vector<Placed> Layout(const std::vector<Page>& glyphs, bool refine, uint32_t regionWidth)
{
    std::vector<Placed> placed;
    for (uint32_t i = 0; i < 24; ++i) {
        Placed p{i % uint32_t(glyphs.size()), int32_t(4 + (i % 6) * 36), int32_t(3 + (i / 6) * 32), false, {}};
        p.shape = glyphs[p.glyph];
        if (refine && i % 3 == 1) {
            p.refined = true;
            p.shape = WithNoise(glyphs[p.glyph], i + 7);
        }
        if (refine && i == 5) {
            p.refined = true;
            p.shape = BlankPage("narrow", glyphs[p.glyph].width - 3, glyphs[p.glyph].height);
            for (uint32_t y = 0; y < p.shape.height; ++y)
                for (uint32_t x = 0; x < p.shape.width; ++x)
                    if (glyphs[p.glyph].Get(x + 1, y))
                        p.shape.Set(x, y);
            p.dx = -1;
        }
        placed.push_back(p);
    }
    placed.back().x = int32_t(regionWidth) - 4;
    return placed;
}

struct Case {
    const char* name;
    uint8_t corner;
    bool transposed;
    uint32_t logStrips;
    bool refine;
    uint8_t rTemplate;
    uint8_t sdTemplate;
    int32_t dsOffset;
};

uint16_t TextFlags(const Case& c)
{
    return uint16_t((c.refine ? 2 : 0) | c.logStrips << 2 | c.corner << 4 | (c.transposed ? 1 : 0) << 6 |
                    (uint32_t(c.dsOffset) & 0x1F) << 10 | c.rTemplate << 15);
}

// Builds the file of one case and the page it must decode to.
std::vector<uint8_t> BuildCase(const Case& c, Page* expected)
{
    SymbolFileBuilder b;
    b.AddPage(1, kPageWidth, kPageHeight);
    const std::vector<Page> glyphs = Glyphs(6, c.sdTemplate + 3);
    JB2SymbolDictionary* dictionary = b.Dictionary(1);
    EXPECT_EQ(JB2SymbolDictionarySetTemplate(dictionary, c.sdTemplate), 0);
    std::vector<JB2Symbol*> symbols;
    for (const Page& glyph : glyphs) {
        const JB2BitmapView view = ViewOf(glyph);
        JB2Symbol* symbol = nullptr;
        EXPECT_EQ(JB2SymbolDictionaryAddSymbol(dictionary, &view, b.memory, b.message, &symbol), 0);
        symbols.push_back(symbol);
    }
    JB2TextRegionPlacement placement = {1, 220, 135, kRegionX, kRegionY, 0, TextFlags(c)};
    JB2SegmentHeader* region = b.TextRegion(placement, {dictionary->segment});
    const std::vector<Placed> layout = Layout(glyphs, c.refine, placement.width);
    JB2SymbolInstanceArray* instances = nullptr;
    EXPECT_EQ(JB2SymbolInstanceArrayCreate(&instances, b.memory, b.message), 0);
    Page regionPage = BlankPage("region", placement.width, placement.height);
    for (const Placed& p : layout) {
        const JB2BitmapView shape = ViewOf(p.shape);
        EXPECT_EQ(
            JB2SymbolInstanceArrayAdd(instances, symbols[p.glyph], &shape, p.x, p.y, p.refined, b.memory, b.message),
            0);
        instances->entries[instances->count - 1].dx = p.dx;
        instances->entries[instances->count - 1].dy = p.dy;
        Draw(regionPage, p.shape, p.x, p.y, 0);
    }
    EXPECT_EQ(JB2SymbolDictionaryFinish(dictionary, b.memory, b.message), 0) << b.messages.All();
    EXPECT_EQ(b.Encode(region, instances), 0) << b.messages.All();
    JB2SymbolInstanceArrayFree(&instances, b.memory);
    b.EndPage(1);
    *expected = BlankPage("expected", kPageWidth, kPageHeight);
    Draw(*expected, regionPage, kRegionX, kRegionY, 0);
    return b.Bytes();
}

Picture AsPicture(const Page& page)
{
    return Picture{page.width, page.height, page.bits};
}

}  // namespace

TEST(SymbolEncoding, TextRegionsDecodeInJbig2decAndOursToTheirInstances)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const Case cases[] = {
        {"top-left, 8 strips, refined", cJB2_Corner_Top_Left, false, 3, true, 0, 0, 0},
        {"bottom-left, 1 strip", cJB2_Corner_Bottom_Left, false, 0, false, 0, 1, 0},
        {"bottom-right, 2 strips, refined template 1", cJB2_Corner_Bottom_Right, false, 1, true, 1, 2, 0},
        {"top-right, 4 strips, S offset -3", cJB2_Corner_Top_Right, false, 2, false, 0, 3, -3},
        {"transposed top-left, refined", cJB2_Corner_Top_Left, true, 3, true, 0, 0, 2},
        {"transposed bottom-left", cJB2_Corner_Bottom_Left, true, 0, false, 0, 1, 0},
        {"transposed bottom-right, refined", cJB2_Corner_Bottom_Right, true, 2, true, 0, 2, 0},
        {"transposed top-right", cJB2_Corner_Top_Right, true, 1, true, 1, 0, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page expected;
        const std::vector<uint8_t> bytes = BuildCase(c, &expected);
        const std::vector<Picture> theirs = Jbig2dec(bytes);
        ASSERT_EQ(theirs.size(), 1u);
        EXPECT_TRUE(theirs[0] == AsPicture(expected));
        Document ours(bytes);
        ASSERT_EQ(ours.started, 0);
        EXPECT_EQ(ours.Property(cJB2_Prop_Regions_Supported), 1u);
        JB2_Error status = -1;
        EXPECT_TRUE(ours.Decode(0, &status) == AsPicture(expected));
        EXPECT_EQ(status, 0) << ours.messages.All();
    }
}
