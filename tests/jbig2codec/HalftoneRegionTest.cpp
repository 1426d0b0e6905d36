// Halftone regions and their pattern dictionaries, built in the test with
// MMR-coded patterns and gray planes, against jbig2dec; damaged grids and
// dictionaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "jbig2codec/halftone/JB2HalftoneRegionDecoder.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestFiles.h"
#include "tests/jbig2codec/JB2TestFixtures.h"

using namespace ZAV;
using JB2Test::Page;
using JB2Test::PutU32;

namespace {

struct Grid {
    uint32_t patternWidth;
    uint32_t patternHeight;
    uint32_t grayMax;
    uint32_t width;    // HGW
    uint32_t height;   // HGH
    int32_t x;         // HGX
    int32_t y;         // HGY
    uint16_t vectorX;  // HRX
    uint16_t vectorY;  // HRY
    uint8_t combination;
};

// Patterns side by side, pattern g with its first g + 1 columns black and a dot on row 0.
Page Patterns(const Grid& g)
{
    Page page = JB2Test::BlankPage("patterns", g.patternWidth * (g.grayMax + 1), g.patternHeight);
    for (uint32_t p = 0; p <= g.grayMax; ++p)
        for (uint32_t y = 0; y < g.patternHeight; ++y)
            for (uint32_t x = 0; x < g.patternWidth; ++x)
                if (x <= p % g.patternWidth || (y == 0 && x == g.patternWidth - 1))
                    page.Set(p * g.patternWidth + x, y);
    return page;
}

std::vector<uint8_t> PatternDictionaryData(const Grid& g)
{
    std::vector<uint8_t> data = {1, uint8_t(g.patternWidth), uint8_t(g.patternHeight)};
    PutU32(data, g.grayMax);
    const auto coded = JB2Test::EncodeMMR(Patterns(g));
    data.insert(data.end(), coded.begin(), coded.end());
    return data;
}

// Region information, flags (HMMR) and the grid fields.
std::vector<uint8_t> HalftoneFields(const Grid& g, uint32_t regionWidth, uint32_t regionHeight)
{
    std::vector<uint8_t> data = JB2Test::RegionInfo(regionWidth, regionHeight, 0, 0, 0);
    data.push_back(uint8_t(1 | (g.combination << 4)));
    PutU32(data, g.width);
    PutU32(data, g.height);
    PutU32(data, uint32_t(g.x));
    PutU32(data, uint32_t(g.y));
    data.push_back(uint8_t(g.vectorX >> 8));
    data.push_back(uint8_t(g.vectorX));
    data.push_back(uint8_t(g.vectorY >> 8));
    data.push_back(uint8_t(g.vectorY));
    return data;
}

// Gray values (m * 3 + n) mod (GRAYMAX + 1), Gray-coded plane by plane, each plane MMR-coded.
std::vector<uint8_t> HalftoneData(const Grid& g, uint32_t regionWidth, uint32_t regionHeight)
{
    std::vector<uint8_t> data = HalftoneFields(g, regionWidth, regionHeight);
    uint32_t bits = 0;
    while ((uint64_t(g.grayMax) >> bits) != 0)
        ++bits;
    for (uint32_t j = bits; j > 0; --j) {
        Page plane = JB2Test::BlankPage("plane", g.width, g.height);
        for (uint32_t m = 0; m < g.height; ++m)
            for (uint32_t n = 0; n < g.width; ++n) {
                const uint32_t value = (m * 3 + n) % (g.grayMax + 1);
                const uint32_t gray = value ^ (value >> 1);
                if ((gray >> (j - 1)) & 1)
                    plane.Set(n, m);
            }
        const auto coded = JB2Test::EncodeMMR(plane);
        data.insert(data.end(), coded.begin(), coded.end());
    }
    if (bits == 0)
        data.insert(data.end(), {0, 0});
    return data;
}

// An arithmetically coded gray image (HTEMPLATE 0) of arbitrary bytes: any
// bytes decode to some gray image, the same in every decoder.
std::vector<uint8_t> ArithmeticHalftoneData(const Grid& g, uint32_t regionWidth, uint32_t regionHeight, bool skip)
{
    std::vector<uint8_t> data = HalftoneFields(g, regionWidth, regionHeight);
    data[JB2Test::RegionInfo(0, 0, 0, 0, 0).size()] = uint8_t((skip ? 8 : 0) | (g.combination << 4));
    for (uint32_t i = 0; i < 300; ++i)
        data.push_back(uint8_t(i * 113 + 29));
    data.insert(data.end(), {0xFF, 0xAC});
    return data;
}

std::vector<uint8_t> HalftoneFile(const Grid& g, uint32_t pageWidth, uint32_t pageHeight,
                                  std::vector<uint8_t> region = {})
{
    std::vector<uint8_t> out = JB2Test::OnePageStart(pageWidth, pageHeight);
    JB2Test::PutSegment(out, 1, 16, PatternDictionaryData(g));
    // The halftone region refers to segment 1.
    if (region.empty())
        region = HalftoneData(g, pageWidth, pageHeight);
    PutU32(out, 2);
    out.insert(out.end(), {22, 0x20, 1, 1});
    PutU32(out, uint32_t(region.size()));
    out.insert(out.end(), region.begin(), region.end());
    JB2Test::PutSegment(out, 3, 49, {});
    return out;
}

}  // namespace

TEST(HalftoneRegions, DrawLikeJbig2dec)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const struct {
        const char* name;
        Grid grid;
        uint32_t width, height;
    } cases[] = {
        // GRAYMAX 0: no gray planes, every cell shows pattern 0.
        {"graymax 0", {4, 4, 0, 3, 2, 0x100, 0, 0x500, 0, 0}, 20, 10},
        {"four patterns", {6, 5, 3, 5, 4, 0, 0, 0x600, 0, 0}, 32, 20},
        // A rotated grid whose cells run off every side, drawn by XOR.
        {"rotated grid off the region", {8, 8, 7, 6, 6, -0x300, -0x500, 0x500, 0x300, 2}, 30, 25},
        {"widest pattern", {128, 2, 1, 2, 1, 0, 0, 0x8000, 0, 0}, 260, 2},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> file = HalftoneFile(c.grid, c.width, c.height);
        JB2Test::Document document(file);
        ASSERT_EQ(document.started, 0) << c.name;
        EXPECT_EQ(document.Property(cJB2_Prop_Regions_Supported), 1u) << c.name;
        JB2_Error status = -1;
        const JB2Test::Picture decoded = document.Decode(0, &status);
        EXPECT_EQ(status, 0) << c.name << "\n" << document.messages.All();
        const auto expected = JB2Test::Jbig2dec(file);
        ASSERT_EQ(expected.size(), 1u) << c.name;
        EXPECT_TRUE(decoded == expected[0]) << c.name;
        // Patterns reached the page.
        EXPECT_NE(size_t(std::count(decoded.rows.begin(), decoded.rows.end(), 0)), decoded.rows.size()) << c.name;
    }
}

TEST(HalftoneRegions, CellsOffTheRegionAreSkippedOrNotLikeJbig2dec)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    // The first four columns of cells lie left of the region, the first two rows above it.
    const Grid grid = {4, 4, 3, 10, 8, -0x1000, -0x800, 0x400, 0, 0};
    std::vector<JB2Test::Picture> decoded;
    for (bool skip : {false, true}) {
        const std::vector<uint8_t> file = HalftoneFile(grid, 24, 24, ArithmeticHalftoneData(grid, 24, 24, skip));
        JB2Test::Document document(file);
        ASSERT_EQ(document.started, 0);
        JB2_Error status = -1;
        decoded.push_back(document.Decode(0, &status));
        EXPECT_EQ(status, 0) << skip << "\n" << document.messages.All();
        const auto expected = JB2Test::Jbig2dec(file);
        ASSERT_EQ(expected.size(), 1u) << skip;
        EXPECT_TRUE(decoded.back() == expected[0]) << skip;
    }
    // Skipped cells take no part in the coding, so the same bytes give another image.
    EXPECT_FALSE(decoded[0] == decoded[1]);
}

struct PatternDictionaries : SegmentFixture {};

TEST_F(PatternDictionaries, DamagedFieldsAreRefusedBeforeAnyLargeAllocation)
{
    const Grid base = {4, 4, 0, 1, 1, 0, 0, 0, 0, 0};
    const auto valid = PatternDictionaryData(base);
    const struct {
        const char* name;
        std::vector<uint8_t> data;
        JB2_Error status;
    } cases[] = {
        {"HDPW 129", {1, 129, 4, 0, 0, 0, 0, 0, 0}, cJB2_Error_Invalid_Segment_Data},
        {"HDPW 0", {1, 0, 4, 0, 0, 0, 0, 0, 0}, cJB2_Error_Invalid_Segment_Data},
        {"HDPH 0", {1, 4, 0, 0, 0, 0, 0, 0, 0}, cJB2_Error_Invalid_Segment_Data},
        // GRAYMAX 0xFFFFFFFF: GRAYMAX + 1 wraps to 0 in 32 bits.
        {"GRAYMAX wraps", {1, 4, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}, cJB2_Error_Invalid_Segment_Data},
        {"no coded data", {1, 4, 4, 0, 0, 0, 0}, cJB2_Error_Invalid_Segment_Data},
        {"valid", valid, 0},
    };
    for (const auto& c : cases) {
        JB2SegmentHeader* segment = Make(cJB2_Segment_Pattern_Dictionary, c.data);
        JB2PatternDictionary* dictionary = nullptr;
        allocator.largest = 0;
        EXPECT_EQ(c.status, JB2PatternDictionaryOf(segment, memory, message, &dictionary)) << c.name;
        EXPECT_LT(allocator.largest, 1u << 16) << c.name;
        JB2SegmentRelease(&segment);
    }
    EXPECT_TRUE(messages.HasOfType(91, "Invalid pattern width of 129 in pattern dictionary!"));
}

struct HalftoneGrids : SegmentFixture {};

TEST_F(HalftoneGrids, DamagedGridsAreRefusedBeforeAnyLargeAllocation)
{
    const Grid patterns = {4, 4, 3, 1, 1, 0, 0, 0, 0, 0};
    const struct {
        const char* name;
        uint32_t width, height, gridWidth, gridHeight;
        JB2_Error status;
    } cases[] = {
        {"region of 0 columns", 0, 8, 2, 2, cJB2_Error_Invalid_Segment_Data},
        {"grid of 0 rows", 8, 8, 2, 0, cJB2_Error_Invalid_Segment_Data},
        // 2^16 x 2^16 cells of 4 bytes each would be 16 GB of gray values.
        {"grid too large", 8, 8, 0x10000, 0x10000, cJB2_Error_Not_Yet_Supported},
        // Within the region limits, but 2^28 cells of 16 pixels each are too much work.
        {"too many cells to draw", 8, 8, 0x4000, 0x4000, cJB2_Error_Invalid_Segment_Data},
        {"valid", 8, 8, 2, 2, 0},
    };
    for (const auto& c : cases) {
        JB2SegmentHeader* dictionary = Make(cJB2_Segment_Pattern_Dictionary, PatternDictionaryData(patterns), 1);
        Grid grid = patterns;
        grid.width = c.gridWidth;
        grid.height = c.gridHeight;
        std::vector<uint8_t> data = HalftoneFields(grid, c.width, c.height);
        data.insert(data.end(), {0, 0});
        JB2SegmentHeader* region = Make(cJB2_Segment_Immediate_Halftone_Region, data, 2);
        ASSERT_EQ(0, JB2SegmentSetReferredCount(region, 1, message));
        ASSERT_EQ(0, JB2SegmentSetReferred(region, 0, dictionary));
        allocator.largest = 0;
        JB2HalftoneRegionDecoder* decoder = nullptr;
        EXPECT_EQ(c.status, Halftone_Region_Decoder_Start(&decoder, memory, region, message)) << c.name;
        EXPECT_LT(allocator.largest, 1u << 16) << c.name;
        if (decoder)
            Halftone_Region_Decoder_End(&decoder, memory);
        JB2SegmentRelease(&region);
        JB2SegmentRelease(&dictionary);
    }
}
