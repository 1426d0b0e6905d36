// Huffman tables: the standard tables' codes against the Encoding column of
// T.88 Annex B, the table-segment example, user and symbol-ID tables, and
// damaged table data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/huffman/JB2HuffmanEncoder.h"
#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

std::string Code(const JB2HuffmanEntry& e)
{
    std::string text;
    for (uint32_t b = e.prefixLength; b > 0; --b)
        text += ((e.code >> (b - 1)) & 1) ? '1' : '0';
    return text;
}

struct HuffmanTables : SegmentFixture {
    JB2HuffmanTable* Standard(uint32_t number)
    {
        JB2HuffmanTable* table = nullptr;
        EXPECT_EQ(0, Huffman_Table_Standard(&table, memory, number, message));
        return table;
    }

    // Decodes values from the bits until they run out; OOB shows as "OOB".
    std::vector<std::string> Decode(const JB2HuffmanTable* table, const std::string& bits, size_t count)
    {
        const std::vector<uint8_t> bytes = JB2Test::BitString(bits);
        JB2BitReader reader;
        JB2BitReaderInit(&reader, bytes.data(), uint32_t(bytes.size()));
        std::vector<std::string> values;
        for (size_t i = 0; i < count; ++i) {
            int32_t value = 0;
            uint8_t oob = 0;
            const JB2_Error status = Huffman_Decode_Value(&reader, table, &value, &oob);
            values.push_back(status != 0 ? "error " + std::to_string(status) : (oob ? "OOB" : std::to_string(value)));
        }
        return values;
    }
};

// The bits the encoder writes for values (INT32_MIN stands for OOB), as '0'
// and '1' characters, or "error N".
std::string EncodeBits(JB2Memory* memory, JB2Message* message, const JB2HuffmanTable* table,
                       const std::vector<int32_t>& values)
{
    JB2Test::Target target;
    JB2WriteData* output = nullptr;
    JB2WriteDataCreate(&output, memory, JB2Test::Target::Write, &target, message);
    JB2HuffmanEncoder* encoder = nullptr;
    Huffman_Encoder_Start(&encoder, memory, 0, output, message);
    JB2WriteDataRelease(&output, memory);
    JB2_Error status = 0;
    for (size_t i = 0; i < values.size() && status == 0; ++i)
        status = Huffman_Encode_Value(encoder, table, values[i] == INT32_MIN ? 0 : values[i], values[i] == INT32_MIN);
    Huffman_Encoder_End(&encoder, memory);
    if (status != 0)
        return "error " + std::to_string(status);
    std::string bits;
    for (uint8_t byte : target.bytes)
        for (int b = 7; b >= 0; --b)
            bits += ((byte >> b) & 1) ? '1' : '0';
    return bits;
}

// Each table's prefix codes in entry order (normal lines, lower range,
// upper range, out of band; "-" for an unused line), as Annex B prints them.
const std::vector<std::vector<std::string>> kEncodings = {
    {"0", "10", "110", "-", "111", "-"},
    {"0", "10", "110", "1110", "11110", "-", "111110", "111111"},
    {"11111110", "0", "10", "110", "1110", "11110", "11111111", "1111110", "111110"},
    {"0", "10", "110", "1110", "11110", "-", "11111", "-"},
    {"1111110", "0", "10", "110", "1110", "11110", "1111111", "111110", "-"},
    {"11100", "1000", "1001", "1010", "11101", "11110", "1011", "00", "010", "011", "1100", "1101", "111110", "111111",
     "-"},
    {"1000", "000", "1001", "11010", "11011", "1010", "1011", "11100", "11101", "1100", "001", "010", "011", "11110",
     "11111", "-"},
    {"11111100", "111111100", "11111101", "111111101", "1111100",   "1010",      "00",
     "11010",    "111010",    "100",      "111011",    "1011",      "1100",      "11011",
     "11100",    "111100",    "1111101",  "111101",    "111111110", "111111111", "01"},
    {"11111100", "111111100", "11111101", "111111101", "1111100",   "1010", "010",   "011",
     "11010",    "111010",    "100",      "111011",    "1011",      "1100", "11011", "11100",
     "111100",   "1111101",   "111101",   "111111110", "111111111", "00"},
    {"1111010", "11111100", "1111011", "11000",  "00",     "11001",  "110110",  "1111100",  "11111101", "01", "11010",
     "110111",  "111000",   "111001",  "111010", "111011", "111100", "1111101", "11111110", "11111111", "10"},
    {"0", "10", "1100", "1101", "11100", "11101", "111100", "1111010", "1111011", "1111100", "1111101", "1111110", "-",
     "1111111", "-"},
    {"0", "10", "110", "11100", "11101", "111100", "1111010", "1111011", "1111100", "1111101", "1111110", "11111110",
     "-", "11111111", "-"},
    {"0", "100", "1100", "11100", "1101", "101", "111010", "111011", "111100", "111101", "111110", "1111110", "-",
     "1111111", "-"},
    {"100", "101", "0", "110", "111", "-", "-", "-"},
    {"1111100", "111100", "11100", "1100", "100", "0", "101", "1101", "11101", "111101", "1111101", "1111110",
     "1111111", "-"},
};

TEST_F(HuffmanTables, StandardCodesEqualTheEncodingColumn)
{
    for (uint32_t number = 0; number < 15; ++number) {
        JB2HuffmanTable* table = Standard(number);
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->count, kEncodings[number].size()) << "B." << number + 1;
        for (uint32_t i = 0; i < table->count; ++i) {
            const std::string code = table->entries[i].prefixLength ? Code(table->entries[i]) : "-";
            EXPECT_EQ(code, kEncodings[number][i]) << "B." << number + 1 << " line " << i;
        }
        Huffman_Table_End(&table, memory);
    }
    JB2HuffmanTable* table = nullptr;
    EXPECT_EQ(cJB2_Error_Invalid_Huffman_Table, Huffman_Table_Standard(&table, memory, 15, message));
}

TEST_F(HuffmanTables, StandardTablesDecodeTheirEdges)
{
    const struct {
        uint32_t number;
        std::string bits;
        std::vector<std::string> values;
    } cases[] = {
        // B.1: 0 and 15 under prefix 0, 65808 and up through the upper range.
        {0,
         "0 0000  0 1111  10 00000000  110 0000000000000000  111 00000000000000000000000000000000  "
         "111 00000000000000000000000000000101",
         {"0", "15", "16", "272", "65808", "65813"}},
        // B.2: the out-of-band code.
        {1, "111111  0  11110 000001", {"OOB", "0", "12"}},
        // B.3: the lower range counts down from -257.
        {2, "11111111 00000000000000000000000000000011  11111110 00000000  111110", {"-260", "-256", "OOB"}},
        // B.15 both ways round zero.
        {14, "1111100 0000  100  0  1111111 00000000000000000000000000000000", {"-24", "-1", "0", "25"}},
    };
    for (const auto& c : cases) {
        JB2HuffmanTable* table = Standard(c.number);
        EXPECT_EQ(Decode(table, c.bits, c.values.size()), c.values) << "B." << c.number + 1;
        Huffman_Table_End(&table, memory);
    }
    // Data that ends inside a code or its range bits is refused.
    JB2HuffmanTable* table = Standard(0);
    EXPECT_EQ(Decode(table, "10 0000", 1), std::vector<std::string>{"error -19"});
    Huffman_Table_End(&table, memory);
}

TEST_F(HuffmanTables, TheAnnexTableSegmentIsTableB1)
{
    const std::vector<uint8_t> data = {0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x10, 0x49, 0x23, 0x81, 0x80};
    JB2HuffmanTable* user = nullptr;
    ASSERT_EQ(0, Huffman_Table_User_Defined(&user, memory, data.data(), uint32_t(data.size()), message));
    JB2HuffmanTable* standard = Standard(0);
    ASSERT_EQ(user->count, standard->count);
    for (uint32_t i = 0; i < user->count; ++i) {
        EXPECT_EQ(user->entries[i].prefixLength, standard->entries[i].prefixLength) << i;
        EXPECT_EQ(user->entries[i].rangeLength, standard->entries[i].rangeLength) << i;
        EXPECT_EQ(user->entries[i].rangeLow, standard->entries[i].rangeLow) << i;
        EXPECT_EQ(user->entries[i].code, standard->entries[i].code) << i;
        EXPECT_EQ(user->entries[i].kind, standard->entries[i].kind) << i;
    }
    // HTOOB 0: the out-of-band slot is there but unused.
    EXPECT_EQ(user->entries[user->count - 1].kind, cJB2_Huffman_Absent);
    Huffman_Table_End(&user, memory);
    Huffman_Table_End(&standard, memory);
}

TEST_F(HuffmanTables, DamagedUserTablesAreRefused)
{
    const struct {
        const char* name;
        std::vector<uint8_t> data;
        JB2_Error status;
        const char* text;
    } cases[] = {
        {"no flags", {}, -19, "Failure decoding code flags for user defined huffman table!"},
        {"short high",
         {0x42, 0, 0, 0, 0, 0, 1},
         -19,
         "Failure decoding lowest and highest values for user defined huffman table!"},
        {"low above high", {0x42, 0, 0, 0, 9, 0, 0, 0, 1, 0xFF}, -24, nullptr},
        // HTLOW -2^31 .. HTHIGH 2^31-1 in one-value lines would need billions of lines.
        {"lines past the data",
         {0x00, 0x80, 0, 0, 1, 0x7F, 0xFF, 0xFF, 0xFF, 0x55, 0x55},
         -19,
         "Failure decoding line for user defined huffman table!"},
        // HTRS 8: a range length of 32 cannot be a line.
        {"range length 32", {0x70, 0, 0, 0, 0, 0, 0, 0, 5, 0x90, 0, 0}, -24, nullptr},
        // Two lines of prefix length 1 and an upper range line of prefix length 1.
        {"over-full prefix code", {0x00, 0, 0, 0, 0, 0, 0, 0, 2, 0xA4}, -24, "Unable to build huffman tree!"},
    };
    for (const auto& c : cases) {
        JB2HuffmanTable* table = nullptr;
        allocator.largest = 0;
        std::vector<uint8_t> data = c.data;
        data.push_back(0);  // a valid pointer even for no data
        EXPECT_EQ(c.status, Huffman_Table_User_Defined(&table, memory, data.data(), uint32_t(c.data.size()), message))
            << c.name;
        EXPECT_EQ(table, nullptr) << c.name;
        EXPECT_LT(allocator.largest, 4096u) << c.name;
        if (c.text) {
            EXPECT_TRUE(messages.HasOfType(91, c.text)) << c.name;
        }
    }
}

// A table of 65,536 lines (48 KB of table data) is read with a handful of
// allocations: the line list must grow geometrically, not by a fixed step
// that copies the whole list thousands of times.
TEST_F(HuffmanTables, ALargeUserTableGrowsItsLinesGeometrically)
{
    constexpr uint32_t kLines = 65536;
    // HTOOB 0, HTPS 5, HTRS 1, HTLOW 0, HTHIGH 65536; every line PREFLEN 17, RANGELEN 0.
    std::string bits;
    for (uint32_t i = 0; i < kLines; ++i)
        bits += "10001 0";
    bits += "10001 10001";
    std::vector<uint8_t> data = {0x08, 0, 0, 0, 0, 0, 1, 0, 0};
    const std::vector<uint8_t> lines = JB2Test::BitString(bits);
    data.insert(data.end(), lines.begin(), lines.end());
    const uint64_t before = allocator.allocations;
    JB2HuffmanTable* table = nullptr;
    ASSERT_EQ(0, Huffman_Table_User_Defined(&table, memory, data.data(), uint32_t(data.size()), message));
    EXPECT_LT(allocator.allocations - before, 40u);
    ASSERT_EQ(table->count, kLines + 3);
    EXPECT_EQ(table->entries[kLines - 1].rangeLow, int32_t(kLines - 1));
    // The codes run up from 0 in line order: line 1000 is 1000 in 17 bits,
    // the upper range line follows the last normal line.
    EXPECT_EQ(Decode(table, "00000001111101000 00000000000000011", 2), (std::vector<std::string>{"1000", "3"}));
    EXPECT_EQ(Decode(table, "10000000000000001", 1), std::vector<std::string>{"error -19"});
    Huffman_Table_End(&table, memory);
}

TEST_F(HuffmanTables, SymbolIDTables)
{
    // Run code lengths: codes 1, 2, 32, 33 have length 2 (00, 01, 10, 11), the rest 0.
    const std::string runCodes = "0000 0010 0010 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 "
                                 "0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 "
                                 "0010 0010 0000";
    const struct {
        const char* name;
        std::string lengths;
        uint32_t symbols;
        JB2_Error status;
        std::vector<uint32_t> prefixLengths;
        std::string codes;
        std::vector<std::string> decoded;
    } cases[] = {
        // A length of 2, three more by run code 32, three unused by run code 33.
        {"runs", "01 10 00 11 000", 7, 0, {2, 2, 2, 2, 0, 0, 0}, "00 01 11", {"0", "1", "3"}},
        // One symbol of length 1: the code 1 names nothing.
        {"sparse", "00 11 000", 4, 0, {1, 0, 0, 0}, "0 1", {"0", "error -24"}},
        {"repeat first", "10 00", 4, cJB2_Error_Internal, {}, "", {}},
        {"run past the symbols", "00 11 111", 4, cJB2_Error_Invalid_Segment_Data, {}, "", {}},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes = JB2Test::BitString(runCodes + c.lengths);
        JB2BitReader reader;
        JB2BitReaderInit(&reader, bytes.data(), uint32_t(bytes.size()));
        JB2HuffmanTable* table = nullptr;
        ASSERT_EQ(c.status, Huffman_Table_Symbol_ID(&table, memory, &reader, c.symbols, message)) << c.name;
        if (c.status != 0) {
            EXPECT_EQ(table, nullptr);
            continue;
        }
        ASSERT_EQ(table->count, c.symbols + 3);
        for (uint32_t i = 0; i < c.symbols; ++i)
            EXPECT_EQ(table->entries[i].prefixLength, c.prefixLengths[i]) << i;
        // The reader is left at the byte boundary behind the lengths.
        EXPECT_EQ(JB2BitReaderPosition(&reader), bytes.size()) << c.name;
        EXPECT_EQ(Decode(table, c.codes, c.decoded.size()), c.decoded) << c.name;
        Huffman_Table_End(&table, memory);
    }
}

}  // namespace

TEST_F(HuffmanTables, EncodedValuesDecodeBackThroughEveryStandardTable)
{
    const std::vector<int32_t> values = {0,  1,   -1,  2,   5,    11,   15,    16,      31,
                                         75, 76,  255, 271, 272,  1000, 65807, 65808,   100000,
                                         -2, -15, -24, -25, -256, -257, -1000, -100000, INT32_MIN};
    for (uint32_t number = 0; number < 15; ++number) {
        JB2HuffmanTable* table = Standard(number);
        std::vector<std::string> expected;
        std::vector<int32_t> coded;
        for (int32_t value : values) {
            // Only the values the table has a line for.
            if (Huffman_Find_Line(table, value == INT32_MIN ? 0 : value, value == INT32_MIN) < 0)
                continue;
            coded.push_back(value);
            expected.push_back(value == INT32_MIN ? "OOB" : std::to_string(value));
        }
        const std::string bits = EncodeBits(memory, message, table, coded);
        EXPECT_EQ(Decode(table, bits, coded.size()), expected) << "B." << number + 1;
        Huffman_Table_End(&table, memory);
    }
}

TEST_F(HuffmanTables, EncodingWritesTheEdgeCodesAndRefusesWhatNoLineCovers)
{
    const struct {
        uint32_t number;
        std::vector<int32_t> values;
        std::string bits;  // without the zero bits that complete the last byte
    } cases[] = {
        // B.1: 0 to 15 under prefix 0 with 4 range bits; 65808 on through the upper range.
        {0,
         {0, 15, 65808},
         "00000"
         "01111"
         "111"
         "00000000000000000000000000000000"},
        // B.2: out-of-band.
        {1, {INT32_MIN}, "111111"},
        // B.3: the lower range counts down from -257.
        {2,
         {-260},
         "11111111"
         "00000000000000000000000000000011"},
        // Nothing covers negative values in B.1, nor out-of-band.
        {0, {-1}, "error -24"},
        {0, {INT32_MIN}, "error -24"},
        // B.3 has no line below its lower range: every value is covered.
        {2,
         {INT32_MIN + 1},
         "11111111"
         "01111111111111111111111011111110"},
    };
    for (const auto& c : cases) {
        JB2HuffmanTable* table = Standard(c.number);
        const std::string bits = EncodeBits(memory, message, table, c.values);
        EXPECT_EQ(bits.substr(0, c.bits.size()), c.bits) << "B." << c.number + 1;
        EXPECT_EQ(bits.find('1', c.bits.size()), std::string::npos) << "B." << c.number + 1;
        Huffman_Table_End(&table, memory);
    }
}
