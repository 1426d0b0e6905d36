// Components of a page: 8-connected joining, boxes and fitness, hole
// counts, the two measures, and classes with their spanning trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jbig2codec/match/JB2ComponentGroup.h"
#include "jbig2codec/match/JB2ComponentMatch.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;
using JB2Test::Page;

namespace {

// A page drawn as text rows: '#' black, anything else white.
Page Drawn(const std::vector<std::string>& rows)
{
    Page page = JB2Test::BlankPage("drawn", uint32_t(rows[0].size()), uint32_t(rows.size()));
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            if (rows[y][x] == '#')
                page.Set(x, y);
    return page;
}

struct Components : SegmentFixture {
    JB2RunArray* runs = nullptr;
    JB2ComponentArray* components = nullptr;

    void TearDown() override
    {
        if (components)
            JB2ComponentArrayFree(&components, memory);
        if (runs)
            JB2RunArrayFree(&runs, memory);
        SegmentFixture::TearDown();
    }

    void Extract(const Page& page, bool fitness)
    {
        ASSERT_EQ(JB2RunArrayCreate(&runs, memory, 0, message), 0);
        for (uint32_t y = 0; y < page.height; ++y)
            ASSERT_EQ(JB2RunArrayAddLine(runs, memory, page.Row(y), page.width, y, message), 0);
        ASSERT_EQ(JB2RunArrayConnect(runs, message), 0);
        ASSERT_EQ(JB2ComponentArrayCreate(&components, memory, runs, fitness, message), 0);
    }
};

}  // namespace

// A line's runs are the stretches of black pixels, also where they start
// or end at the line's ends or at the borders of 64-pixel words, and bits
// past the width are no pixels.
TEST_F(Components, LineRunsAreTheBlackStretches)
{
    uint32_t seed = 9;
    for (uint32_t width : {1u, 7u, 8u, 63u, 64u, 65u, 127u, 128u, 129u, 200u, 2480u}) {
        for (uint32_t density = 0; density < 4; ++density) {
            const uint32_t stride = (width + 7) / 8;
            std::vector<uint8_t> line(stride, 0);
            for (uint32_t x = 0; x < width; ++x) {
                seed = seed * 1664525u + 1013904223u;
                // Density 0: white; 3: black; between: stretches of both.
                const bool black = density == 3 || (density > 0 && ((seed >> 20) % 4) < density && x % 61 != 0);
                if (black)
                    line[x / 8] |= uint8_t(0x80 >> (x % 8));
            }
            if (width % 8)
                line[stride - 1] |= uint8_t(0xFF >> (width % 8));  // bits past the width
            std::vector<std::pair<uint32_t, uint32_t>> expected;
            for (uint32_t x = 0; x < width; ++x) {
                const bool black = (line[x / 8] >> (7 - x % 8)) & 1;
                if (black && (expected.empty() || expected.back().second + 1 != x))
                    expected.push_back({x, x});
                else if (black)
                    expected.back().second = x;
            }
            JB2RunArray* lineRuns = nullptr;
            ASSERT_EQ(JB2RunArrayCreate(&lineRuns, memory, 0, message), 0);
            ASSERT_EQ(JB2RunArrayAddLine(lineRuns, memory, line.data(), width, 4, message), 0);
            std::vector<std::pair<uint32_t, uint32_t>> found;
            for (uint32_t i = 0; i < lineRuns->count; ++i) {
                const JB2Run* run = nullptr;
                ASSERT_EQ(JB2RunArrayGet(lineRuns, i, &run), 0);
                EXPECT_EQ(run->line, 4u);
                found.push_back({run->first, run->last});
            }
            EXPECT_EQ(found, expected) << "width " << width << ", density " << density;
            JB2RunArrayFree(&lineRuns, memory);
        }
    }
}

TEST_F(Components, CornersJoinAndHolesAreCounted)
{
    Extract(Drawn({
                "#.........######....##.",
                ".#........#....#...####",
                "..#.......#.##.#...####",
                "...##.....#....#....##.",
                "..........######.......",
                ".#.#...................",
                "..#....................",
            }),
            false);
    // Raster order of first runs: diagonal line, ring, disc, the X at the bottom left.
    ASSERT_EQ(components->count, 5u);
    const struct {
        uint32_t left, top, width, height, pixels, holes, holesProper, blackParts;
    } expected[] = {
        // Touching at corners only: one component of four 4-connected parts,
        // which cuts its box's white in two.
        {0, 0, 5, 4, 5, 1, 2, 4},   {10, 0, 6, 5, 18, 2, 1, 1},  // a ring: the outside and its hole
        {19, 0, 4, 4, 12, 1, 4, 1},                              // a disc: its box's corners are white
        {12, 2, 2, 1, 2, 1, 0, 1},                               // the bar inside the ring is a component of its own
        {1, 5, 3, 2, 3, 1, 3, 3},
    };
    for (uint32_t i = 0; i < 5; ++i) {
        JB2Component* c = JB2ComponentArrayGet(components, i);
        uint32_t holes = 0, proper = 0, parts = 0;
        EXPECT_EQ(JB2ComponentHoleCount(c, memory, &holes), 0);
        EXPECT_EQ(JB2ComponentHolesProper(c, memory, &proper), 0);
        EXPECT_EQ(JB2ComponentBlackParts(c, memory, &parts), 0);
        EXPECT_EQ(c->left, expected[i].left) << i;
        EXPECT_EQ(c->top, expected[i].top) << i;
        EXPECT_EQ(c->width, expected[i].width) << i;
        EXPECT_EQ(c->height, expected[i].height) << i;
        EXPECT_EQ(c->pixels, expected[i].pixels) << i;
        EXPECT_EQ(holes, expected[i].holes) << i;
        EXPECT_EQ(proper, expected[i].holesProper) << i;
        EXPECT_EQ(parts, expected[i].blackParts) << i;
    }
}

TEST_F(Components, UnfitComponentsGetNoBitmapAndCompactionSortsTheRest)
{
    Page page = JB2Test::BlankPage("page", 520, 60);
    for (uint32_t x = 0; x < 501; ++x)
        page.Set(x, 0);  // 501 wide
    for (uint32_t x = 0; x < 3; ++x)
        page.Set(x, 3);  // 3 pixels
    for (uint32_t y = 10; y < 36; ++y)
        for (uint32_t x = 0; x < 39; ++x)
            page.Set(x, y);  // 1014 pixels
    for (uint32_t y = 40; y < 44; ++y)
        for (uint32_t x = 0; x < 3; ++x)
            page.Set(x, y);  // 3 x 4, fit
    for (uint32_t y = 40; y < 43; ++y)
        for (uint32_t x = 10; x < 15; ++x)
            page.Set(x, y);  // 5 x 3, fit
    for (uint32_t y = 50; y < 53; ++y)
        for (uint32_t x = 20; x < 22; ++x)
            page.Set(x, y);  // 2 x 3, fit
    Extract(page, true);
    uint32_t removed = 0;
    ASSERT_EQ(JB2ComponentArrayCompact(components, memory, &removed), 0);
    EXPECT_EQ(removed, 3u);
    ASSERT_EQ(components->count, 3u);
    const uint32_t sizes[3][2] = {{2, 3}, {5, 3}, {3, 4}};  // by height, then width
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(components->items[i].width, sizes[i][0]) << i;
        EXPECT_EQ(components->items[i].height, sizes[i][1]) << i;
    }
}

TEST_F(Components, MeasuresCompareLookAlikes)
{
    Extract(Drawn({
                "#####...#####...####.#",
                "#...#...#..##...#...##",
                "#...#...#...#...#....#",
                "#####...#####...######",
            }),
            true);
    ASSERT_EQ(components->count, 3u);
    JB2ComponentMatch* match = nullptr;
    ASSERT_EQ(JB2ComponentMatchCreate(&match, memory, &components->items[0], message), 0);
    int32_t same = -2, onePixel = -2, wider = -2;
    EXPECT_EQ(JB2ComponentMatchWeighted(match, &components->items[0], memory, &same), 0);
    EXPECT_EQ(JB2ComponentMatchWeighted(match, &components->items[1], memory, &onePixel), 0);
    EXPECT_EQ(JB2ComponentMatchWeighted(match, &components->items[2], memory, &wider), 0);
    EXPECT_EQ(same, 0);
    EXPECT_EQ(onePixel, 1);  // one differing pixel, alone in its neighbourhood
    EXPECT_EQ(wider, -1);    // too many pixels differ
    JB2ComponentMatchFree(&match, memory);
    // The plain measure: equal widths only, and within the bound.
    const JB2BitmapView second = JB2ComponentView(&components->items[1]);
    const uint32_t pixels = JB2BitmapPixelCount(&second);
    EXPECT_EQ(pixels, components->items[1].pixels);
    EXPECT_EQ(JB2ComponentPlainMeasure(&components->items[0], &second, pixels, 5), 1);
    EXPECT_EQ(JB2ComponentPlainMeasure(&components->items[0], &second, pixels, 0), -1);
    const JB2BitmapView third = JB2ComponentView(&components->items[2]);
    EXPECT_EQ(JB2ComponentPlainMeasure(&components->items[0], &third, JB2BitmapPixelCount(&third), 100), -1);
}

namespace {

bool Black(const JB2Component& c, int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= int32_t(c.width) || y >= int32_t(c.height))
        return false;
    return (JB2ComponentRow(&c, uint32_t(y))[x / 8] >> (7 - x % 8)) & 1;
}

// The weighted measure as defined, pixel by pixel: the pixel-count and
// difference bounds, equal hole counts, and the differing pixels of every
// differing pixel's 3 x 3 neighbourhood summed within t2.
int32_t WeightedByDefinition(JB2Component& a, JB2Component& b, JB2Memory* memory)
{
    const uint32_t t1 = (a.pixels * (a.pixels < 75 ? 20 : 40) + 99) / 100;
    const uint32_t t2 = std::max(a.pixels, 40u);
    if ((a.pixels > b.pixels ? a.pixels - b.pixels : b.pixels - a.pixels) > t1)
        return -1;
    const int32_t w = int32_t(std::max(a.width, b.width)), h = int32_t(a.height);
    auto differs = [&](int32_t x, int32_t y) { return Black(a, x, y) != Black(b, x, y); };
    uint32_t count = 0, sum = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (differs(x, y)) {
                ++count;
                for (int32_t dy = -1; dy <= 1; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx)
                        sum += differs(x + dx, y + dy);
            }
    if (count > t1)
        return -1;
    if (count == 0)
        return 0;
    uint32_t holesA = 0, holesB = 0;
    EXPECT_EQ(JB2ComponentHoleCount(&a, memory, &holesA), 0);
    EXPECT_EQ(JB2ComponentHoleCount(&b, memory, &holesB), 0);
    return holesA == holesB && sum <= t2 ? int32_t(sum) : -1;
}

// Random shapes held together by a black top row and left column, each
// with copies that differ from it: in small clusters of pixels (at random,
// or across the eighth and ninth rows and the 64th and 65th columns, where
// the measure's words and groups of rows meet), in many scattered pixels,
// or by a column more.
Page LookAlikePage(const std::vector<std::pair<uint32_t, uint32_t>>& sizes, uint32_t seed)
{
    const uint32_t copies = 8, gap = 3;
    uint32_t width = 0, height = 0;
    for (const auto& size : sizes) {
        width = std::max(width, copies * (size.first + 1 + gap));
        height += size.second + gap;
    }
    Page page = JB2Test::BlankPage("look-alikes", width, height);
    auto next = [&seed](uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    uint32_t top = 0;
    for (const auto& size : sizes) {
        const uint32_t w = size.first, h = size.second;
        std::vector<uint8_t> base(size_t(w) * h);
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x)
                base[y * w + x] = x == 0 || y == 0 || next(3) != 0;
        for (uint32_t k = 0; k < copies; ++k) {
            std::vector<uint8_t> shape = base;
            auto flip = [&](uint32_t x, uint32_t y) {
                if (x > 0 && y > 0 && x < w && y < h)
                    shape[y * w + x] ^= 1;
            };
            auto cluster = [&](uint32_t x, uint32_t y) {
                const uint32_t cw = 1 + next(3), ch = 1 + next(3);
                for (uint32_t j = 0; j < ch; ++j)
                    for (uint32_t i = 0; i < cw; ++i)
                        flip(x + i, y + j);
            };
            if (k >= 1 && k <= 3)
                for (uint32_t c = 0; c < k; ++c)
                    cluster(next(w), next(h));
            if (k == 4)
                for (uint32_t f = 0; f < w * h / 5; ++f)
                    flip(next(w), next(h));
            if (k == 5 || k == 6)
                cluster(std::min(w - 1, 62u + next(3)), std::min(h - 1, 6u + next(3)));
            if (k == 6)
                cluster(std::min(w - 1, 62u + next(3)), std::min(h - 1, 14u + next(3)));
            const uint32_t left = k * (w + 1 + gap);
            for (uint32_t y = 0; y < h; ++y)
                for (uint32_t x = 0; x < w; ++x)
                    if (shape[y * w + x])
                        page.Set(left + x, top + y);
            if (k == copies - 1)
                page.Set(left + w, top);  // one column wider
        }
        top += h + gap;
    }
    return page;
}

}  // namespace

// The weighted measure of every pair the classes would measure (equal
// heights, widths equal or one apart) equals the measure worked out by its
// definition, for rows of one 64-bit word, of just more, and of several.
TEST_F(Components, WeightedMeasureFollowsItsDefinition)
{
    Extract(LookAlikePage({{9, 7},
                           {20, 12},
                           {40, 8},
                           {62, 9},
                           {63, 17},
                           {64, 16},
                           {66, 19},
                           {70, 25},
                           {130, 12},
                           {200, 5},
                           {30, 24},
                           {50, 40}},
                          5),
            false);
    uint32_t removed = 0;
    ASSERT_EQ(JB2ComponentArrayCompact(components, memory, &removed), 0);
    uint32_t matches = 0, misses = 0;
    for (uint32_t i = 0; i < components->count; ++i) {
        JB2Component& a = components->items[i];
        JB2ComponentMatch* match = nullptr;
        ASSERT_EQ(JB2ComponentMatchCreate(&match, memory, &a, message), 0);
        for (uint32_t j = 0; j < components->count; ++j) {
            JB2Component& b = components->items[j];
            if (b.height != a.height || (b.width != a.width && b.width != a.width + 1))
                continue;
            int32_t measure = -2;
            ASSERT_EQ(JB2ComponentMatchWeighted(match, &b, memory, &measure), 0);
            const int32_t expected = WeightedByDefinition(a, b, memory);
            EXPECT_EQ(measure, expected) << a.width << " x " << a.height << " against " << b.width << " wide, " << i
                                         << " and " << j;
            (expected > 0 ? matches : misses) += i != j;
        }
        JB2ComponentMatchFree(&match, memory);
    }
    EXPECT_GT(matches, 100u);
    EXPECT_GT(misses, 200u);
}

TEST_F(Components, ClassesJoinWidthsOneApartAndRootTheirTrees)
{
    // Heights all 3: three identical hollow 10-wide bars, a solid 11-wide
    // one and a hollow 12-wide one.
    Page page = JB2Test::BlankPage("page", 100, 3);
    const uint32_t lefts[5] = {0, 15, 30, 45, 70}, widths[5] = {10, 10, 10, 11, 12};
    for (uint32_t i = 0; i < 5; ++i)
        for (uint32_t y = 0; y < 3; ++y)
            for (uint32_t x = 0; x < widths[i]; ++x)
                if (y != 1 || x == 0 || x + 1 == widths[i] || widths[i] == 11)
                    page.Set(lefts[i] + x, y);
    Extract(page, true);
    uint32_t removed = 0;
    ASSERT_EQ(JB2ComponentArrayCompact(components, memory, &removed), 0);
    JB2ComponentGroup* group = nullptr;
    ASSERT_EQ(JB2ComponentGroupCreate(&group, memory, 5, 3, message), 0);
    for (uint32_t i = 0; i < components->count; ++i)
        ASSERT_EQ(JB2ComponentGroupAdd(group, &components->items[i]), 0);
    uint32_t classes = 0;
    ASSERT_EQ(JB2ComponentGroupBuildClasses(group, memory, &classes, message), 0);
    // The 11-wide bar is compared with the 10-wide ones but too unlike them;
    // the 12-wide one is never compared with them.
    EXPECT_EQ(JB2ComponentGroupMeasure(group, 0, 3), -1);
    EXPECT_EQ(JB2ComponentGroupMeasure(group, 0, 4), -1);
    EXPECT_EQ(JB2ComponentGroupMeasure(group, 0, 1), 0);
    EXPECT_EQ(classes, 3u);
    const JB2ComponentClass* bars = JB2ComponentGroupClass(group, 0);
    ASSERT_EQ(bars->members, 3u);
    const uint32_t expected[3][4] = {{0, 0, 2, 0}, {1, 0, 1, 0}, {2, 0, 1, 0}};  // member, parent, degree, weight
    for (uint32_t i = 0; i < 3; ++i) {
        uint32_t member = 9, parent = 9, degree = 9;
        int32_t weight = 9;
        ASSERT_EQ(JB2ComponentClassEntry(bars, i, &member, &parent, &degree, &weight), 0);
        EXPECT_EQ(member, expected[i][0]) << i;
        EXPECT_EQ(parent, expected[i][1]) << i;
        EXPECT_EQ(degree, expected[i][2]) << i;
        EXPECT_EQ(weight, i == 0 ? -1 : int32_t(expected[i][3])) << i;
    }
    uint32_t member = 9, parent = 9, degree = 9;
    int32_t weight = 9;
    ASSERT_EQ(JB2ComponentClassEntry(JB2ComponentGroupClass(group, 2), 0, &member, &parent, &degree, &weight), 0);
    EXPECT_EQ(member, 4u);
    EXPECT_EQ(parent, 4u);
    EXPECT_EQ(degree, 0u);
    EXPECT_EQ(weight, -1);
    JB2ComponentGroupFree(&group, memory);
}
