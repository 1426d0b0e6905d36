// Symbol instances of a Huffman-coded text region placed by every reference
// corner, transposed or not (T.88 6.4.5), and their budget.
#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/text/JB2TextInstances.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

constexpr uint32_t kWidth = 16;
constexpr uint32_t kHeight = 12;
constexpr uint32_t kStride = 4;

// Two instances of a 3 x 2 symbol: strip T 6 - 1 = 5 (B.11), first S 4 (B.6),
// the next 1 further (B.8), then the strip's out-of-band S (B.8 "01").
const char* const kBits = "0  1101 1  00 0000100  00 1  01";
// The same without the last out-of-band S: another delta S of 1 in its place.
const char* const kBitsWithoutOOB = "0  1101 1  00 0000100  00 1  00 1";

struct TextInstances : SegmentFixture {
    JB2HuffmanTable* fs = nullptr;
    JB2HuffmanTable* ds = nullptr;
    JB2HuffmanTable* dt = nullptr;
    JB2Symbol symbol = {};
    uint8_t rows[2 * 3] = {0xC0, 0, 0, 0x60, 0, 0};

    void SetUp() override
    {
        SegmentFixture::SetUp();
        ASSERT_EQ(0, Huffman_Table_Standard(&fs, memory, 5, message));
        ASSERT_EQ(0, Huffman_Table_Standard(&ds, memory, 7, message));
        ASSERT_EQ(0, Huffman_Table_Standard(&dt, memory, 10, message));
        symbol = {2, 3, 3, rows, 1, 0, 0, nullptr};
    }
    void TearDown() override
    {
        Huffman_Table_End(&fs, memory);
        Huffman_Table_End(&ds, memory);
        Huffman_Table_End(&dt, memory);
        SegmentFixture::TearDown();
    }

    JB2_Error Decode(uint8_t corner, uint8_t transposed, std::vector<uint8_t>* bitmap, uint64_t pixels = 1000,
                     const char* bits = kBits)
    {
        JB2TextParameters p = {};
        p.huffman = 1;
        p.refCorner = corner;
        p.transposed = transposed;
        p.instances = 2;
        p.strips = 1;
        p.fs = fs;
        p.ds = ds;
        p.dt = dt;
        const std::vector<uint8_t> data = JB2Test::BitString(bits);
        JB2BitReader reader;
        JB2BitReaderInit(&reader, data.data(), uint32_t(data.size()));
        JB2TextCoder coder = {nullptr, &reader, data.data(), uint32_t(data.size())};
        JB2Symbol* symbols[1] = {&symbol};
        const JB2SymbolSet set = {symbols, 1, nullptr};
        bitmap->assign(kStride * kHeight, 0);
        JB2TextBitmap target = {bitmap->data(), kWidth, kHeight, kStride};
        return JB2TextDecodeInstances(&p, &set, &target, &coder, &pixels, memory, message);
    }
};

std::vector<uint8_t> Expected(int x1, int y1, int x2, int y2)
{
    std::vector<uint8_t> bitmap(kStride * kHeight, 0);
    for (const auto& [x, y] : {std::pair<int, int>{x1, y1}, {x2, y2}}) {
        const int pixels[4][2] = {{0, 0}, {1, 0}, {1, 1}, {2, 1}};
        for (const auto& p : pixels)
            bitmap[(y + p[1]) * kStride + (x + p[0]) / 8] |= uint8_t(0x80 >> ((x + p[0]) % 8));
    }
    return bitmap;
}

}  // namespace

TEST_F(TextInstances, EveryCornerTransposedOrNot)
{
    const struct {
        uint8_t corner;
        uint8_t transposed;
        int x1, y1, x2, y2;
    } cases[] = {
        {cJB2_Corner_Top_Left, 0, 4, 5, 7, 5},
        {cJB2_Corner_Top_Right, 0, 4, 5, 7, 5},
        {cJB2_Corner_Bottom_Left, 0, 4, 4, 7, 4},
        {cJB2_Corner_Bottom_Right, 0, 4, 4, 7, 4},
        // Transposed: S runs down the region; bottom corners move S by the height first.
        {cJB2_Corner_Top_Left, 1, 5, 4, 5, 6},
        {cJB2_Corner_Top_Right, 1, 3, 4, 3, 6},
        {cJB2_Corner_Bottom_Left, 1, 5, 4, 5, 6},
        {cJB2_Corner_Bottom_Right, 1, 3, 4, 3, 6},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bitmap;
        ASSERT_EQ(0, Decode(c.corner, c.transposed, &bitmap)) << messages.All();
        EXPECT_EQ(bitmap, Expected(c.x1, c.y1, c.x2, c.y2)) << int(c.corner) << " " << int(c.transposed);
    }
}

// A symbol taller than the room above or below its place keeps only its
// rows inside the region: bottom-left puts the first instance's top 2 rows
// above the region, top-left the last row below it.
TEST_F(TextInstances, RowsOutsideTheRegionAreClipped)
{
    uint8_t tall[8 * 3] = {};
    for (uint32_t y = 0; y < 8; ++y)
        tall[y * 3] = uint8_t(0xE0 ^ (0x20 << (y % 3)));
    symbol = {8, 3, 3, tall, 1, 0, 0, nullptr};
    for (const uint8_t corner : {cJB2_Corner_Top_Left, cJB2_Corner_Bottom_Left}) {
        const int top = corner == cJB2_Corner_Top_Left ? 5 : 5 - 7;
        std::vector<uint8_t> expected(kStride * kHeight, 0);
        for (const int x : {4, 7})
            for (int y = 0; y < 8; ++y)
                for (int i = 0; i < 3; ++i)
                    if (top + y >= 0 && top + y < int(kHeight) && ((tall[y * 3] >> (7 - i)) & 1))
                        expected[(top + y) * kStride + (x + i) / 8] |= uint8_t(0x80 >> ((x + i) % 8));
        std::vector<uint8_t> bitmap;
        ASSERT_EQ(0, Decode(corner, 0, &bitmap)) << messages.All();
        EXPECT_EQ(expected, bitmap) << int(corner);
    }
}

TEST_F(TextInstances, PixelsBeyondTheBudgetAreRefused)
{
    std::vector<uint8_t> bitmap;
    EXPECT_EQ(0, Decode(cJB2_Corner_Top_Left, 0, &bitmap, 12));
    EXPECT_EQ(cJB2_Error_Invalid_Segment_Data, Decode(cJB2_Corner_Top_Left, 0, &bitmap, 11));
    EXPECT_TRUE(messages.HasOfType(91, "Text region draws too many pixels!"));
}

TEST_F(TextInstances, AMissingLastOutOfBandIsAWarning)
{
    std::vector<uint8_t> bitmap;
    ASSERT_EQ(0, Decode(cJB2_Corner_Top_Left, 0, &bitmap, 1000, kBitsWithoutOOB));
    EXPECT_EQ(bitmap, Expected(4, 5, 7, 5));
    EXPECT_TRUE(messages.HasOfType(11, "OOB signal at end of last symbol instance in text region is missing!"));
    EXPECT_TRUE(messages.HasOfType(11, "Attempting to continue decoding!"));
}
