// Symbol dictionaries built for writing: header lengths, the order of new
// symbols, the exported symbols chosen at the finish, refinement
// dictionaries that decode in jbig2dec as in ours, the features the encoders
// refuse, and the pruning and order of symbol instances.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/symbol/JB2SymbolDictionaryEncoder.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2SymbolFileBuilder.h"

using namespace JB2Test;
using namespace ZAV;

namespace {

struct DictionaryWriting : SegmentFixture {
    JB2SegmentHeader* segment = nullptr;
    JB2SymbolDictionary* dictionary = nullptr;

    void SetUp() override
    {
        SegmentFixture::SetUp();
        segment = Make(cJB2_Segment_Symbol_Dictionary, {});
        ASSERT_EQ(JB2SymbolDictionaryNew(segment, memory, message, &dictionary), 0);
    }
    void TearDown() override
    {
        JB2SegmentRelease(&segment);
        SegmentFixture::TearDown();
    }
    JB2Symbol* Add(const Page& glyph)
    {
        const JB2BitmapView view = ViewOf(glyph);
        JB2Symbol* symbol = nullptr;
        EXPECT_EQ(JB2SymbolDictionaryAddSymbol(dictionary, &view, memory, message, &symbol), 0);
        return symbol;
    }
};

Picture AsPicture(const Page& page)
{
    return Picture{page.width, page.height, page.bits};
}

}  // namespace

TEST_F(DictionaryWriting, HeaderLengthFollowsTheCodingChoices)
{
    EXPECT_EQ(dictionary->headerLength, 18u);
    EXPECT_EQ(JB2SymbolDictionarySetTemplate(dictionary, 2), 0);
    EXPECT_EQ(dictionary->headerLength, 12u);
    EXPECT_EQ(JB2SymbolDictionarySetRefAgg(dictionary, 1), 0);
    EXPECT_EQ(dictionary->headerLength, 16u);
    EXPECT_EQ(JB2SymbolDictionarySetRefinementTemplate(dictionary, 1), 0);
    EXPECT_EQ(dictionary->headerLength, 12u);
    EXPECT_EQ(JB2SymbolDictionarySetTemplate(dictionary, 4), cJB2_Error_Internal);
    // Read with SDHUFF 1 and SDREFAGG 0: flags and the two counts.
    JB2SegmentHeader* read = Make(cJB2_Segment_Symbol_Dictionary, {0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0});
    JB2SymbolDictionary* huffman = nullptr;
    EXPECT_EQ(JB2SymbolDictionaryOf(read, memory, message, &huffman), 0);
    EXPECT_EQ(huffman->headerLength, 10u);
    JB2SegmentRelease(&read);
}

TEST_F(DictionaryWriting, NewSymbolsComeByHeightAndOnlyUsedOnesAreExported)
{
    const Page g5 = Glyph(6, 5, 1), g7a = Glyph(7, 7, 2), g7b = Glyph(4, 7, 3), g9 = Glyph(8, 9, 4);
    JB2Symbol* symbols[4] = {Add(g5), Add(g7a), Add(g7b), Add(g9)};
    const JB2BitmapView lower = ViewOf(g5);
    JB2Symbol* refused = nullptr;
    EXPECT_EQ(JB2SymbolDictionaryAddSymbol(dictionary, &lower, memory, message, &refused), cJB2_Error_Internal);
    EXPECT_EQ(dictionary->numNew, 4u);
    JB2SymbolAddUse(symbols[1]);
    JB2SymbolAddUse(symbols[3]);
    ASSERT_EQ(JB2SymbolDictionaryFinish(dictionary, memory, message), 0) << messages.All();
    EXPECT_EQ(dictionary->numExported, 2u);
    EXPECT_EQ(dictionary->numNew, 2u);
    EXPECT_EQ(dictionary->exportList[0], 0u);  // numbered among the kept new symbols
    EXPECT_EQ(dictionary->exportList[1], 1u);
    EXPECT_EQ(dictionary->exported[0], symbols[1]);
    EXPECT_EQ(dictionary->exported[1], symbols[3]);
    EXPECT_EQ(symbols[3]->ordinal, 1u);
    EXPECT_EQ(JB2SymbolDictionaryFinish(dictionary, memory, message), cJB2_Error_Internal);
    // The header as written: flags, four AT pairs, SDNUMEXSYMS 2, SDNUMNEWSYMS 2.
    uint32_t counts[2] = {};
    EXPECT_EQ(JB2SegmentReadU32(segment, 10, &counts[0]), 0);
    EXPECT_EQ(JB2SegmentReadU32(segment, 14, &counts[1]), 0);
    EXPECT_EQ(counts[0], 2u);
    EXPECT_EQ(counts[1], 2u);
}

TEST_F(DictionaryWriting, UnsupportedCodingIsRefusedWithNotYetSupported)
{
    // Context reuse or retention in the header.
    for (uint8_t* flag : {&dictionary->contextUsed, &dictionary->contextRetained}) {
        *flag = 1;
        messages.pieces.clear();
        EXPECT_EQ(JB2SymbolDictionaryWriteHeader(dictionary, message), cJB2_Error_Not_Yet_Supported);
        EXPECT_TRUE(messages.Has("Symbol dictionary contains unsupported features!")) << messages.All();
        *flag = 0;
    }
    // A dictionary read with SDHUFF 1 is not encoded: its branch would write no bitmaps.
    JB2SegmentHeader* read = Make(cJB2_Segment_Symbol_Dictionary, {0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0});
    JB2SymbolDictionary* huffman = nullptr;
    ASSERT_EQ(JB2SymbolDictionaryOf(read, memory, message, &huffman), 0);
    JB2SymbolDictionaryEncoder* encoder = nullptr;
    messages.pieces.clear();
    EXPECT_EQ(Symbol_Dictionary_Encoder_Start(&encoder, memory, read, message), cJB2_Error_Not_Yet_Supported);
    EXPECT_EQ(encoder, nullptr);
    EXPECT_FALSE(messages.pieces.empty());
    JB2SegmentRelease(&read);
    // A text region with SBHUFF 1.
    JB2SegmentHeader* text = Make(cJB2_Segment_Immediate_Text_Region, {});
    JB2RegionSetWidth(text, 10);
    JB2RegionSetHeight(text, 10);
    JB2TextSetFlags(text, 1);
    JB2TextRegionEncoder* textEncoder = nullptr;
    messages.pieces.clear();
    EXPECT_EQ(Text_Region_Encoder_Start(&textEncoder, memory, text, message), cJB2_Error_Not_Yet_Supported);
    EXPECT_EQ(textEncoder, nullptr);
    EXPECT_FALSE(messages.pieces.empty());
    JB2SegmentRelease(&text);
}

TEST(SymbolDictionaryEncoding, RefinementDictionariesDecodeInJbig2decAndOurs)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (uint8_t rTemplate : {0, 1}) {
        SCOPED_TRACE(int(rTemplate));
        SymbolFileBuilder b;
        // A global dictionary of plain glyphs, a page dictionary refining some of them.
        JB2SymbolDictionary* plain = b.Dictionary(0);
        b.AddPage(1, 200, 60);
        JB2SymbolDictionary* refined = b.Dictionary(1, {plain->segment});
        ASSERT_EQ(JB2SymbolDictionarySetRefAgg(refined, 1), 0);
        ASSERT_EQ(JB2SymbolDictionarySetRefinementTemplate(refined, rTemplate), 0);
        std::vector<Page> shapes;
        std::vector<JB2Symbol*> symbols;
        for (uint32_t i = 0; i < 5; ++i) {
            shapes.push_back(Glyph(6 + i, 8 + i, 40 + i));
            const JB2BitmapView view = ViewOf(shapes.back());
            symbols.push_back(nullptr);
            // Asked of the refinement dictionary, a plain symbol lands in the one it refers to.
            ASSERT_EQ(JB2SymbolDictionaryAddSymbol(refined, &view, b.memory, b.message, &symbols.back()), 0);
        }
        EXPECT_EQ(plain->numNew, 5u);
        for (uint32_t i = 0; i < 3; ++i) {
            // Same size, with noise; then one column wider.
            shapes.push_back(i == 2 ? Glyph(shapes[i].width + 1, shapes[i].height, 90) : WithNoise(shapes[i], 70 + i));
            const JB2BitmapView view = ViewOf(shapes.back());
            symbols.push_back(nullptr);
            ASSERT_EQ(
                JB2SymbolDictionaryAddRefinedSymbol(refined, &view, symbols[i], b.memory, b.message, &symbols.back()),
                0);
        }
        JB2TextRegionPlacement placement = {1, 200, 60, 0, 0, 0, 0x0004 | 1 << 4};  // 2 strips, top-left
        JB2SegmentHeader* region = b.TextRegion(placement, {refined->segment});
        JB2SymbolInstanceArray* instances = nullptr;
        ASSERT_EQ(JB2SymbolInstanceArrayCreate(&instances, b.memory, b.message), 0);
        Page expected = BlankPage("expected", 200, 60);
        // Every plain glyph but the second, and every refined one.
        for (uint32_t i = 0; i < shapes.size(); ++i) {
            if (i == 1)
                continue;
            const JB2BitmapView view = ViewOf(shapes[i]);
            const int32_t x = int32_t(i * 22 + 3), y = int32_t(5 + (i % 3) * 15);
            ASSERT_EQ(JB2SymbolInstanceArrayAdd(instances, symbols[i], &view, x, y, 0, b.memory, b.message), 0);
            Draw(expected, shapes[i], x, y, 0);
        }
        ASSERT_EQ(JB2SymbolDictionaryFinish(plain, b.memory, b.message), 0) << b.messages.All();
        ASSERT_EQ(JB2SymbolDictionaryFinish(refined, b.memory, b.message), 0) << b.messages.All();
        // The refined dictionary re-exports the plain glyphs, the second for its refinement only.
        EXPECT_EQ(refined->numExported, 8u);
        ASSERT_EQ(b.Encode(region, instances), 0) << b.messages.All();
        JB2SymbolInstanceArrayFree(&instances, b.memory);
        b.EndPage(1);
        const std::vector<uint8_t> bytes = b.Bytes();
        const std::vector<Picture> theirs = Jbig2dec(bytes);
        ASSERT_EQ(theirs.size(), 1u);
        EXPECT_TRUE(theirs[0] == AsPicture(expected));
        Document ours(bytes);
        JB2_Error status = -1;
        EXPECT_TRUE(ours.Decode(0, &status) == AsPicture(expected));
        EXPECT_EQ(status, 0) << ours.messages.All();
        EXPECT_EQ(ours.Property(cJB2_Prop_Regions_Supported), 1u);
    }
}

TEST(SymbolDictionaryEncoding, AnEmptyTextRegionCodesOnlyItsFirstStrip)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    SymbolFileBuilder b;
    b.AddPage(1, 64, 32);
    JB2SymbolDictionary* dictionary = b.Dictionary(1);
    JB2SegmentHeader* region = b.TextRegion({1, 64, 32, 0, 0, 0, 1 << 4}, {dictionary->segment});
    JB2SymbolInstanceArray* instances = nullptr;
    ASSERT_EQ(JB2SymbolInstanceArrayCreate(&instances, b.memory, b.message), 0);
    ASSERT_EQ(JB2SymbolDictionaryFinish(dictionary, b.memory, b.message), 0) << b.messages.All();
    ASSERT_EQ(b.Encode(region, instances), 0) << b.messages.All();
    JB2SymbolInstanceArrayFree(&instances, b.memory);
    uint32_t coded = 0;
    EXPECT_EQ(JB2TextCodedDataLength(region, &coded), 0);
    EXPECT_LE(coded, 4u);
    b.EndPage(1);
    const std::vector<uint8_t> bytes = b.Bytes();
    const Picture blank = AsPicture(BlankPage("blank", 64, 32));
    const std::vector<Picture> theirs = Jbig2dec(bytes);
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_TRUE(theirs[0] == blank);
    Document ours(bytes);
    JB2_Error status = -1;
    EXPECT_TRUE(ours.Decode(0, &status) == blank);
    EXPECT_EQ(status, 0);
}

TEST_F(DictionaryWriting, InstancesArePrunedAndSortedInStripsOfEightRows)
{
    const Page glyph = Glyph(5, 6, 9);
    JB2Symbol* shared = Add(glyph);
    JB2Symbol* single = Add(glyph);
    JB2Symbol* refinedOnce = Add(glyph);
    refinedOnce->reference = shared;
    JB2SymbolAddUse(shared);  // the use a refined symbol gives its reference
    JB2SymbolInstanceArray* instances = nullptr;
    ASSERT_EQ(JB2SymbolInstanceArrayCreate(&instances, memory, message), 0);
    const JB2BitmapView view = ViewOf(glyph);
    const struct {
        JB2Symbol* symbol;
        int32_t x, y;
    } added[] = {{shared, 30, 15}, {single, 5, 0}, {shared, 10, 9}, {refinedOnce, 2, 16}, {shared, 20, 12}};
    for (const auto& a : added)
        ASSERT_EQ(JB2SymbolInstanceArrayAdd(instances, a.symbol, &view, a.x, a.y, 0, memory, message), 0);
    ASSERT_EQ(JB2SymbolInstanceArrayPrune(instances), 0);
    JB2SymbolInstanceArraySort(instances);
    // The single one is gone; the once-refined one became a refinement of its reference.
    const struct {
        JB2Symbol* symbol;
        int32_t x, y;
        uint8_t refine;
    } expected[] = {{shared, 10, 9, 0}, {shared, 20, 12, 0}, {shared, 30, 15, 0}, {shared, 2, 16, 1}};
    ASSERT_EQ(instances->count, 4u);
    for (uint32_t i = 0; i < 4; ++i) {
        const JB2SymbolInstance* in = JB2SymbolInstanceArrayGet(instances, i);
        EXPECT_EQ(in->symbol, expected[i].symbol) << i;
        EXPECT_EQ(in->x, expected[i].x) << i;
        EXPECT_EQ(in->y, expected[i].y) << i;
        EXPECT_EQ(in->refine, expected[i].refine) << i;
    }
    EXPECT_EQ(single->useCount, 0u);
    EXPECT_EQ(refinedOnce->useCount, 0u);
    EXPECT_EQ(refinedOnce->reference, nullptr);
    EXPECT_EQ(shared->useCount, 4u);
    JB2SymbolInstanceArrayFree(&instances, memory);
}
