// The region counts after a flip, followed around the flipped region, must
// equal a full count of the component every time the neighbourhood settles
// them: random shapes, random small regions of one colour flipped.
#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/match/JB2UnifyLocal.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

struct Random {
    uint32_t state;
    uint32_t Below(uint32_t n)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    }
};

struct UnifyLocal : SegmentFixture {};

bool Black(const JB2Component& c, uint32_t x, uint32_t y)
{
    return (c.bitmap[y * c.stride + x / 8] >> (7 - x % 8)) & 1;
}

void Flip(JB2Component& c, uint32_t p)
{
    const uint32_t x = p % c.width, y = p / c.width;
    c.bitmap[y * c.stride + x / 8] ^= uint8_t(0x80 >> (x % 8));
}

TEST_F(UnifyLocal, CountsAgreeWithAFullCountWheneverSettled)
{
    Random random{12345};
    uint32_t settled = 0;
    const uint32_t trials = 3000;
    for (uint32_t trial = 0; trial < trials; ++trial) {
        JB2Component c = {};
        c.width = 3 + random.Below(18);
        c.height = 3 + random.Below(18);
        c.stride = (c.width + 7) / 8 + 2;
        std::vector<uint8_t> bits(size_t(c.stride) * c.height, 0);
        c.bitmap = bits.data();
        const uint32_t density = 30 + random.Below(40);
        for (uint32_t y = 0; y < c.height; ++y)
            for (uint32_t x = 0; x < c.width; ++x)
                if (random.Below(100) < density)
                    c.bitmap[y * c.stride + x / 8] |= uint8_t(0x80 >> (x % 8));
        // A 4-connected region of one colour, grown from a random pixel.
        const uint32_t size = c.width * c.height;
        std::vector<uint32_t> region = {random.Below(size)};
        std::vector<bool> in(size, false);
        in[region[0]] = true;
        const bool wasBlack = Black(c, region[0] % c.width, region[0] / c.width);
        const uint32_t wanted = 1 + random.Below(6);
        for (uint32_t tries = 0; region.size() < wanted && tries < 50; ++tries) {
            const uint32_t from = region[random.Below(uint32_t(region.size()))];
            const uint32_t x = from % c.width, y = from / c.width;
            const uint32_t way = random.Below(4);
            if ((way == 0 && x + 1 >= c.width) || (way == 1 && x == 0) || (way == 2 && y + 1 >= c.height) ||
                (way == 3 && y == 0))
                continue;
            const uint32_t to = way == 0 ? from + 1 : way == 1 ? from - 1 : way == 2 ? from + c.width : from - c.width;
            if (!in[to] && Black(c, to % c.width, to / c.width) == wasBlack) {
                in[to] = true;
                region.push_back(to);
            }
        }
        JB2SymbolUnifier u = {};
        u.component = &c;
        u.width = c.width;
        u.height = c.height;
        u.stride = c.stride;
        u.filled = region.data();
        u.filledCount = uint32_t(region.size());
        ASSERT_EQ(JB2ComponentShapeCounts(&c, memory, &u.now), 0);
        for (uint32_t p : region)
            Flip(c, p);
        JB2ShapeCounts full = {}, local = {};
        ASSERT_EQ(JB2ComponentShapeCounts(&c, memory, &full), 0);
        if (!JB2UnifyLocalCounts(&u, wasBlack, &local))
            continue;
        ++settled;
        EXPECT_EQ(local.whiteRegions, full.whiteRegions) << "trial " << trial;
        EXPECT_EQ(local.holesProper, full.holesProper) << "trial " << trial;
        EXPECT_EQ(local.blackParts, full.blackParts) << "trial " << trial;
    }
    // Random shapes are far more tangled than glyph edges, so that only a
    // part of the flips is settled around them; enough to be a real check.
    EXPECT_GT(settled, trials / 10);
}

TEST_F(UnifyLocal, ShapeCountsOfARingAndABay)
{
    // A ring with one hole, and a C whose bay reaches the edge of its box.
    const char* ring[] = {"#####", "#...#", "#...#", "#####"};
    const char* bay[] = {"####", "#...", "#...", "####"};
    for (const auto* rows : {ring, bay}) {
        JB2Component c = {};
        c.width = uint32_t(std::char_traits<char>::length(rows[0]));
        c.height = 4;
        c.stride = (c.width + 7) / 8 + 2;
        std::vector<uint8_t> bits(size_t(c.stride) * c.height, 0);
        c.bitmap = bits.data();
        for (uint32_t y = 0; y < c.height; ++y)
            for (uint32_t x = 0; x < c.width; ++x)
                if (rows[y][x] == '#')
                    c.bitmap[y * c.stride + x / 8] |= uint8_t(0x80 >> (x % 8));
        JB2ShapeCounts counts = {};
        ASSERT_EQ(JB2ComponentShapeCounts(&c, memory, &counts), 0);
        EXPECT_EQ(counts.blackParts, 1u);
        EXPECT_EQ(counts.holesProper, 1u);
        EXPECT_EQ(counts.whiteRegions, rows == ring ? 2u : 1u);
    }
}

}  // namespace
