// Shape unification: the threshold from size and quality, and which
// differences a component takes from a symbol.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/match/JB2SymbolUnify.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;
using JB2Test::Page;

namespace {

using Rows = std::vector<std::string>;

// '#' black, anything else white.
Page Drawn(const Rows& rows)
{
    Page page = JB2Test::BlankPage("drawn", uint32_t(rows[0].size()), uint32_t(rows.size()));
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            if (rows[y][x] == '#')
                page.Set(x, y);
    return page;
}

Rows RowsOf(const JB2Component* c)
{
    Rows rows;
    for (uint32_t y = 0; y < c->height; ++y) {
        std::string row;
        for (uint32_t x = 0; x < c->width; ++x)
            row += (JB2ComponentRow(c, y)[x / 8] >> (7 - x % 8)) & 1 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// A 10 x 10 square with a notch of `notch` pixels cut from its right edge.
Rows Square(uint32_t notch)
{
    Rows rows(10, std::string(10, '#'));
    for (uint32_t i = 0; i < notch; ++i)
        rows[1 + i / 2][8 + i % 2] = '.';
    return rows;
}

struct Unify : SegmentFixture {
    JB2RunArray* runs = nullptr;
    JB2ComponentArray* components = nullptr;
    JB2Symbol symbol = {};

    void TearDown() override
    {
        if (symbol.bitmap)
            JB2MemoryFree(memory, &symbol.bitmap);
        if (components)
            JB2ComponentArrayFree(&components, memory);
        if (runs)
            JB2RunArrayFree(&runs, memory);
        SegmentFixture::TearDown();
    }

    // The only component of the drawn rows.
    JB2Component* Component(const Rows& rows)
    {
        const Page page = Drawn(rows);
        EXPECT_EQ(JB2RunArrayCreate(&runs, memory, 0, message), 0);
        for (uint32_t y = 0; y < page.height; ++y)
            EXPECT_EQ(JB2RunArrayAddLine(runs, memory, page.Row(y), page.width, y, message), 0);
        EXPECT_EQ(JB2RunArrayConnect(runs, message), 0);
        EXPECT_EQ(JB2ComponentArrayCreate(&components, memory, runs, false, message), 0);
        EXPECT_EQ(components->count, 1u);
        return JB2ComponentArrayGet(components, 0);
    }

    void Symbol(const Rows& rows)
    {
        const Page page = Drawn(rows);
        const JB2BitmapView view{page.bits.data(), page.width, page.height, page.Stride()};
        ASSERT_EQ(JB2SymbolCopyBitmap(&symbol, memory, &view), 0);
    }
};

}  // namespace

TEST(SymbolUnifyThreshold, ScalesWithPixelsWithinTwoAndTwelveLessQuality)
{
    const struct {
        uint32_t pixels, quality, threshold;
    } cases[] = {{100, 5, 7}, {20, 5, 2}, {1000, 5, 7}, {100, 10, 2}, {1000, 10, 2}, {50, 0, 6}, {1000, 0, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(JB2UnifyThreshold(c.pixels, c.quality), c.threshold) << c.pixels << " at " << c.quality;
}

TEST_F(Unify, SmallDifferencesThatKeepTheShapeAreTaken)
{
    const struct {
        const char* name;
        Rows component;
        Rows symbol;
        uint32_t quality;
        uint8_t outcome;
        Rows after;
    } cases[] = {
        {"an extra pixel touching the ring is cleared",
         {"#####", "#.#.#", "#...#", "#####"},
         {"#####", "#...#", "#...#", "#####"},
         5,
         0,
         {"#####", "#...#", "#...#", "#####"}},
        {"filling the gap would close a ring: put back",
         {"#####", "#...#", "#...#", "##.##"},
         {"#####", "#...#", "#...#", "#####"},
         5,
         1,
         {"#####", "#...#", "#...#", "##.##"}},
        {"an 8-pixel region is above the threshold of 7", Square(0), Square(8), 5, 1, Square(0)},
        {"a 6-pixel region within the threshold of 6 is taken", Square(2), Square(8), 5, 0, Square(8)},
        {"a new 6-pixel notch adds a framed white region: put back", Square(0), Square(6), 5, 1, Square(0)},
        {"at quality 10 the threshold is 2", Square(0), Square(3), 10, 1, Square(0)},
        {"a narrower symbol never unifies, though the extra column is cleared",
         {"#####.", "#####.", "######"},
         {"#####", "#####", "#####"},
         5,
         1,
         {"#####.", "#####.", "#####."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JB2Component* component = Component(c.component);
        Symbol(c.symbol);
        uint32_t holes = 0;
        ASSERT_EQ(JB2ComponentHoleCount(component, memory, &holes), 0);
        uint8_t outcome = 9;
        ASSERT_EQ(JB2SymbolUnify(&symbol, component, c.quality, memory, message, &outcome), 0) << messages.All();
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(RowsOf(component), c.after);
        EXPECT_EQ(component->holes, holes);  // the cached count is what it was
        TearDown();
        SetUp();
    }
}

// The region counts the hole count keeps serve until the bitmap changes:
// they equal a fresh count, and unification, which edits the bitmap, drops
// them, so that the counts asked for afterwards are those of the edited shape.
TEST_F(Unify, KeptRegionCountsLastUntilTheBitmapChanges)
{
    JB2Component* component = Component(Square(0));
    Symbol(Square(2));
    uint32_t holes = 0;
    ASSERT_EQ(JB2ComponentHoleCount(component, memory, &holes), 0);
    JB2ShapeCounts kept = {}, fresh = {};
    ASSERT_EQ(JB2ComponentKnownShapeCounts(component, memory, &kept), 0);
    ASSERT_EQ(JB2ComponentShapeCounts(component, memory, &fresh), 0);
    EXPECT_EQ(kept.whiteRegions, fresh.whiteRegions);
    EXPECT_EQ(kept.holesProper, fresh.holesProper);
    EXPECT_EQ(kept.blackParts, fresh.blackParts);
    uint8_t outcome = 9;
    ASSERT_EQ(JB2SymbolUnify(&symbol, component, 5, memory, message, &outcome), 0) << messages.All();
    ASSERT_EQ(RowsOf(component), Square(2));  // the notch was cut
    ASSERT_EQ(JB2ComponentKnownShapeCounts(component, memory, &kept), 0);
    ASSERT_EQ(JB2ComponentShapeCounts(component, memory, &fresh), 0);
    EXPECT_EQ(kept.whiteRegions, fresh.whiteRegions);
    EXPECT_EQ(kept.holesProper, fresh.holesProper);
    EXPECT_EQ(kept.blackParts, fresh.blackParts);
    EXPECT_EQ(fresh.holesProper, 1u);  // the notch, where the full square had none
}

TEST_F(Unify, RefusesBadArguments)
{
    JB2Component* component = Component({"###", "###"});
    Symbol({"###", "###"});
    uint8_t outcome = 0;
    EXPECT_EQ(JB2SymbolUnify(&symbol, component, 11, memory, message, &outcome), cJB2_Error_Internal);
    EXPECT_EQ(JB2SymbolUnify(nullptr, component, 5, memory, message, &outcome), cJB2_Error_Internal);
    EXPECT_EQ(JB2SymbolUnify(&symbol, component, 5, memory, message, nullptr), cJB2_Error_Internal);
    JB2Component blank = {};
    EXPECT_NE(JB2SymbolUnify(&symbol, &blank, 5, memory, message, &outcome), 0);
    EXPECT_EQ(outcome, 1);
}
