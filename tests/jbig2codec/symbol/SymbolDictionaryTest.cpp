// Symbol dictionaries built by hand in Huffman coding: headers, counts,
// references and export runs that a file may get wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/symbol/JB2SymbolDictionary.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

// Huffman flags: SDHUFF, and SDREFAGG with SDRTEMPLATE 1 (no refinement AT bytes).
constexpr uint16_t kHuffman = 0x0001;
constexpr uint16_t kHuffmanRefAgg = 0x1003;

std::vector<uint8_t> Dictionary(uint16_t flags, uint32_t exported, uint32_t added, const std::string& bits)
{
    std::vector<uint8_t> data = {uint8_t(flags >> 8), uint8_t(flags)};
    for (uint32_t value : {exported, added})
        for (int shift = 24; shift >= 0; shift -= 8)
            data.push_back(uint8_t(value >> shift));
    const auto coded = JB2Test::BitString(bits);
    data.insert(data.end(), coded.begin(), coded.end());
    return data;
}

struct SymbolDictionaries : SegmentFixture {
    JB2_Error Decode(JB2SegmentHeader* segment, JB2SymbolDictionary** dictionary)
    {
        JB2_Error status = JB2SymbolDictionaryOf(segment, memory, message, dictionary);
        return status != 0 ? status : JB2SymbolDictionaryDecode(*dictionary, memory, 0, message);
    }
};

// One symbol of 1 x 1: delta height 1 (B.4 "0"), delta width 1 (B.2 "10"),
// the class's out-of-band width (B.2 "111111"), BMSIZE 0 (B.1 "0 0000"), then
// at the next byte the collective bitmap's byte.
const std::string kOneSymbol = "0 10 111111 00000 00 10000000";

}  // namespace

TEST_F(SymbolDictionaries, DecodeAndExport)
{
    // Export runs (B.1): none skipped, one exported.
    JB2SegmentHeader* segment =
        Make(cJB2_Segment_Symbol_Dictionary, Dictionary(kHuffman, 1, 1, kOneSymbol + "00000 00001"));
    JB2SymbolDictionary* dictionary = nullptr;
    ASSERT_EQ(0, Decode(segment, &dictionary)) << messages.All();
    ASSERT_EQ(dictionary->numExported, 1u);
    EXPECT_EQ(dictionary->headerLength, 10u);
    const JB2Symbol* symbol = dictionary->exported[0];
    EXPECT_EQ(symbol->width, 1u);
    EXPECT_EQ(symbol->height, 1u);
    EXPECT_EQ(symbol->bitmap[0], 0x80);
    JB2SegmentRelease(&segment);
}

TEST_F(SymbolDictionaries, DamagedDictionariesAreRefused)
{
    const struct {
        const char* name;
        std::vector<uint8_t> data;
        JB2_Error status;
        const char* text;
    } cases[] = {
        {"new symbols past the ceiling", Dictionary(kHuffman, 0, 0xFFFFFFFF, kOneSymbol), -19,
         "Too many new symbols in symbol dictionary!"},
        {"more exports than symbols", Dictionary(kHuffman, 2, 1, kOneSymbol + "00000 00001"), -19,
         "Symbol dictionary exports more symbols than it has!"},
        {"export run past the symbols", Dictionary(kHuffman, 1, 1, kOneSymbol + "00000 00010"), -19,
         "Unable to decode exported symbol bits for dictionary symbol!"},
        // A refinement of symbol 0, which is the symbol being decoded: delta height 1,
        // delta width 1, REFAGGNINST 1 (B.1 "0 0001"), ID "0", RDX and RDY 0 (B.15 "0"),
        // BMSIZE 0, then bytes for the coder.
        {"refinement of a symbol not yet decoded",
         Dictionary(kHuffmanRefAgg, 0, 1,
                    "0 10 00001 0 0 0 00000 0000 "
                    "11111111 10101100"),
         -19, "Unable to decode bitmap for dictionary symbol!"},
        // SDHUFF with SDHUFFDW 2.
        {"delta width table 2", Dictionary(0x0021, 0, 0, "0"), -14,
         "Symbol dictionary header - invalid SDHUFFWH value of 2!"},
        {"no coded data", Dictionary(kHuffman, 0, 0, ""), -19, "Invalid segment data length!"},
    };
    for (const auto& c : cases) {
        JB2SegmentHeader* segment = Make(cJB2_Segment_Symbol_Dictionary, c.data);
        JB2SymbolDictionary* dictionary = nullptr;
        allocator.largest = 0;
        EXPECT_EQ(c.status, Decode(segment, &dictionary)) << c.name << "\n" << messages.All();
        // Nothing sized by the file: the MQ decoder's context array is the largest block.
        EXPECT_LE(allocator.largest, 1u << 20) << c.name;
        EXPECT_TRUE(messages.HasOfType(91, c.text)) << c.name;
        JB2SegmentRelease(&segment);
    }
}

TEST_F(SymbolDictionaries, ChainsOfReferredDictionariesAreBounded)
{
    // Each dictionary exports the one symbol of the one before it: export runs 0, 1.
    for (const uint32_t length : {10u, 200u}) {
        std::vector<JB2SegmentHeader*> chain;
        for (uint32_t i = 0; i < length; ++i) {
            const auto data = i == 0 ? Dictionary(kHuffman, 1, 1, kOneSymbol + "00000 00001")
                                     : Dictionary(kHuffman, 1, 0, "00000 00001");
            chain.push_back(Make(cJB2_Segment_Symbol_Dictionary, data, i + 1));
            if (i > 0) {
                ASSERT_EQ(0, JB2SegmentSetReferredCount(chain[i], 1, message));
                ASSERT_EQ(0, JB2SegmentSetReferred(chain[i], 0, chain[i - 1]));
            }
        }
        JB2SymbolDictionary* last = nullptr;
        const JB2_Error status = Decode(chain.back(), &last);
        if (length == 10) {
            EXPECT_EQ(status, 0) << messages.All();
            EXPECT_EQ(last->exported[0]->width, 1u);
        } else {
            EXPECT_EQ(status, cJB2_Error_Invalid_Segment_Data);
            EXPECT_TRUE(messages.HasOfType(91, "Symbol dictionaries refer to each other too deeply!"));
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            JB2SegmentRelease(&*it);
    }
}

// An array of 100,000 symbols grows a handful of times: one allocation per
// symbol and a few for the array, not one per hundred symbols each copying
// the whole array.
TEST_F(SymbolDictionaries, ASymbolArrayGrowsGeometrically)
{
    constexpr uint32_t kSymbols = 100000;
    JB2SymbolArray* array = nullptr;
    ASSERT_EQ(0, JB2SymbolArrayCreate(&array, memory, message));
    const uint64_t before = allocator.allocations;
    for (uint32_t i = 0; i < kSymbols; ++i) {
        JB2Symbol* symbol = nullptr;
        ASSERT_EQ(0, JB2SymbolArrayAdd(array, memory, &symbol, message));
    }
    EXPECT_EQ(array->count, kSymbols);
    EXPECT_LT(allocator.allocations - before, uint64_t(kSymbols) + 20);
    JB2SymbolArrayFree(&array, memory);
}
