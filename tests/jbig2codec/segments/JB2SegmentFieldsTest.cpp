// Field accessors per segment type, the region support test and the
// Huffman table selection of text regions.
#include <gtest/gtest.h>

#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

// Region information of a w x h region at (x, y) with the given flags.
std::vector<uint8_t> RegionInfo(uint32_t w, uint32_t h, uint32_t x, uint32_t y, uint8_t flags)
{
    std::vector<uint8_t> bytes;
    for (uint32_t value : {w, h, x, y})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
    bytes.push_back(flags);
    return bytes;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST_F(SegmentFixture, RegionInformationFields)
{
    JB2SegmentHeader* region = Make(38, RegionInfo(640, 480, 3, 0xFFFFFFFEu, 2));
    uint32_t value = 9;
    uint8_t flags = 9;
    EXPECT_EQ(JB2RegionGetWidth(region, &value), 0);
    EXPECT_EQ(value, 640u);
    EXPECT_EQ(JB2RegionGetHeight(region, &value), 0);
    EXPECT_EQ(value, 480u);
    EXPECT_EQ(JB2RegionGetX(region, &value), 0);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(JB2RegionGetY(region, &value), 0);
    EXPECT_EQ(value, 0xFFFFFFFEu);
    EXPECT_EQ(JB2RegionGetFlags(region, &flags), 0);
    EXPECT_EQ(flags, 2);
    EXPECT_EQ(JB2RegionSetWidth(region, 0), cJB2_Error_Internal);
    EXPECT_EQ(JB2RegionSetHeight(region, 0), cJB2_Error_Internal);
    EXPECT_EQ(JB2RegionSetX(region, 77), 0);
    EXPECT_EQ(JB2RegionGetX(region, &value), 0);
    EXPECT_EQ(value, 77u);

    // Wrong type, null out-pointer, short data.
    JB2SegmentHeader* page = Make(48, {});
    value = 5;
    EXPECT_EQ(JB2RegionGetWidth(page, &value), cJB2_Error_Internal);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(JB2RegionGetWidth(region, nullptr), cJB2_Error_Internal);
    EXPECT_EQ(JB2RegionGetWidth(nullptr, &value), cJB2_Error_Internal);
    EXPECT_EQ(JB2PageInfoGetWidth(page, &value), cJB2_Error_Read_Failure);
    value = 5;
    EXPECT_EQ(JB2TextCodedDataLength(page, &value), cJB2_Error_Internal);
    EXPECT_EQ(value, 0u);
    JB2SegmentRelease(&page);
    JB2SegmentRelease(&region);
}

TEST_F(SegmentFixture, GenericRegionFlagsAndATPixels)
{
    int8_t x[4];
    int8_t y[4];
    uint32_t length = 0;
    uint8_t nominal = 9;

    // MMR: no AT pixels.
    JB2SegmentHeader* mmr = Make(38, Concat(RegionInfo(8, 8, 0, 0, 0), {0x01}));
    EXPECT_EQ(JB2GenericHeaderLength(mmr, &length), 0);
    EXPECT_EQ(length, 18u);
    EXPECT_EQ(JB2GenericGetATPixels(mmr, x, y), cJB2_Error_Internal);
    JB2SegmentRelease(&mmr);

    // Template 1: one AT pair at 18 and 19; the other three read as 0.
    JB2SegmentHeader* t1 = Make(39, Concat(RegionInfo(8, 8, 0, 0, 0), {0x02, 0xFD, 0xFE}));
    EXPECT_EQ(JB2GenericHeaderLength(t1, &length), 0);
    EXPECT_EQ(length, 20u);
    ASSERT_EQ(JB2GenericGetATPixels(t1, x, y), 0);
    EXPECT_EQ(x[0], -3);
    EXPECT_EQ(y[0], -2);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(x[i] | y[i], 0);
    EXPECT_EQ(JB2GenericHasNominalATPixels(t1, &nominal), 0);
    EXPECT_EQ(nominal, 0);
    ASSERT_EQ(JB2GenericSetNominalATPixels(t1, 1), 0);
    EXPECT_EQ(JB2GenericHasNominalATPixels(t1, &nominal), 0);
    EXPECT_EQ(nominal, 1);
    JB2SegmentRelease(&t1);

    // Template 0 written by the encoder's way: flags then nominal pixels.
    JB2SegmentHeader* t0 = Make(38, RegionInfo(8, 8, 0, 0, 0));
    ASSERT_EQ(JB2GenericSetFlags(t0, 0x00), 0);
    ASSERT_EQ(JB2GenericSetNominalATPixels(t0, 0), 0);
    EXPECT_EQ(JB2SegmentDataLength(t0), 26u);
    ASSERT_EQ(JB2GenericGetATPixels(t0, x, y), 0);
    const int8_t nx[4] = {3, -3, 2, -2};
    const int8_t ny[4] = {-1, -1, -2, -2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(x[i], nx[i]);
        EXPECT_EQ(y[i], ny[i]);
    }
    EXPECT_EQ(JB2GenericSetNominalATPixels(t0, 4), cJB2_Error_Internal);
    JB2SegmentRelease(&t0);

    // The flags byte also serves refinement regions, the AT pixels do not.
    JB2SegmentHeader* refinement = Make(42, Concat(RegionInfo(8, 8, 0, 0, 0), {0x00, 0, 0}));
    uint8_t flags = 9;
    EXPECT_EQ(JB2GenericGetFlags(refinement, &flags), 0);
    EXPECT_EQ(JB2GenericGetATPixels(refinement, x, y), cJB2_Error_Internal);
    JB2SegmentRelease(&refinement);
}

TEST_F(SegmentFixture, PageInformationFieldsAndValidation)
{
    JB2SegmentHeader* page = Make(48, {});
    ASSERT_EQ(JB2PageInfoSetWidth(page, 2480), 0);
    ASSERT_EQ(JB2PageInfoSetHeight(page, 3508), 0);
    ASSERT_EQ(JB2PageInfoSetXResolution(page, 11811), 0);
    ASSERT_EQ(JB2PageInfoSetYResolution(page, 11812), 0);
    ASSERT_EQ(JB2PageInfoSetFlags(page, 0x48 | 0x04), 0);
    ASSERT_EQ(JB2PageInfoSetStriping(page, 0x8020), 0);
    EXPECT_EQ(JB2PageInfoValidate(page, message), 0);
    uint32_t value = 0;
    uint8_t pixel = 0;
    uint16_t striping = 0;
    EXPECT_EQ(JB2PageInfoGetYResolution(page, &value), 0);
    EXPECT_EQ(value, 11812u);
    EXPECT_EQ(JB2PageInfoGetDefaultPixel(page, &pixel), 0);
    EXPECT_EQ(pixel, 1);
    EXPECT_EQ(JB2PageInfoGetDefaultCombinationOperator(page, &value), 0);
    EXPECT_EQ(value, 128u);
    EXPECT_EQ(JB2PageInfoGetStriping(page, &striping), 0);
    EXPECT_EQ(striping, 0x8020);
    ASSERT_EQ(JB2PageInfoSetFlags(page, 0x08), 0);
    EXPECT_EQ(JB2PageInfoGetDefaultCombinationOperator(page, &value), 0);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(JB2PageInfoSetWidth(page, 0), cJB2_Error_Internal);

    // 20 bytes: refused without a message.
    ASSERT_EQ(JB2SegmentWriteU8(page, 19, 0), 0);
    messages.pieces.clear();
    EXPECT_EQ(JB2PageInfoValidate(page, message), cJB2_Error_Invalid_Segment_Data);
    EXPECT_TRUE(messages.pieces.empty());
    JB2SegmentRelease(&page);

    // A width or a height of 0, the other 1.
    const struct {
        size_t nonZeroByte;
        const char* text;
    } zeroSizes[] = {{7, "Width must be larger than 0!"}, {3, "Height must be larger than 0!"}};
    for (const auto& c : zeroSizes) {
        std::vector<uint8_t> bytes(19, 0);
        bytes[c.nonZeroByte] = 1;
        page = Make(48, bytes);
        EXPECT_EQ(JB2PageInfoValidate(page, message), cJB2_Error_Invalid_Segment_Data) << c.text;
        EXPECT_TRUE(messages.HasOfType(91, c.text));
        JB2SegmentRelease(&page);
    }
}

TEST_F(SegmentFixture, HalftoneAndPatternDictionaryFields)
{
    std::vector<uint8_t> halftone =
        Concat(RegionInfo(100, 50, 0, 0, 0),
               {0x01, 0, 0, 0, 10, 0, 0, 0, 20, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 1, 0, 0x01, 0x00, 0x00, 0x80});
    JB2SegmentHeader* region = Make(22, halftone, 5);
    uint32_t u32 = 0;
    int32_t i32 = 0;
    uint16_t u16 = 0;
    EXPECT_EQ(JB2HalftoneGetGridWidth(region, &u32), 0);
    EXPECT_EQ(u32, 10u);
    EXPECT_EQ(JB2HalftoneGetGridHeight(region, &u32), 0);
    EXPECT_EQ(u32, 20u);
    EXPECT_EQ(JB2HalftoneGetGridX(region, &i32), 0);
    EXPECT_EQ(i32, -16);
    EXPECT_EQ(JB2HalftoneGetGridY(region, &i32), 0);
    EXPECT_EQ(i32, 256);
    EXPECT_EQ(JB2HalftoneGetVectorX(region, &u16), 0);
    EXPECT_EQ(u16, 0x100);
    EXPECT_EQ(JB2HalftoneGetVectorY(region, &u16), 0);
    EXPECT_EQ(u16, 0x80);

    JB2SegmentHeader* tables = Make(53, {}, 1);
    JB2SegmentHeader* patterns = Make(16, {0x00, 4, 5, 0, 0, 0, 15}, 2);
    ASSERT_EQ(JB2SegmentSetReferredCount(region, 2, message), 0);
    ASSERT_EQ(JB2SegmentSetReferred(region, 0, tables), 0);
    ASSERT_EQ(JB2SegmentSetReferred(region, 1, patterns), 0);
    JB2SegmentHeader* dictionary = nullptr;
    EXPECT_EQ(JB2HalftoneGetPatternDictionary(region, &dictionary), 0);
    EXPECT_EQ(dictionary, patterns);
    uint8_t u8 = 0;
    EXPECT_EQ(JB2PatternGetWidth(patterns, &u8), 0);
    EXPECT_EQ(u8, 4);
    EXPECT_EQ(JB2PatternGetHeight(patterns, &u8), 0);
    EXPECT_EQ(u8, 5);
    EXPECT_EQ(JB2PatternGetGrayMax(patterns, &u32), 0);
    EXPECT_EQ(u32, 15u);
    EXPECT_EQ(JB2PatternGetGrayMax(region, &u32), cJB2_Error_Internal);
    JB2SegmentRelease(&region);
    JB2SegmentRelease(&tables);
    JB2SegmentRelease(&patterns);
}

TEST_F(SegmentFixture, TextRegionLayoutFollowsItsFlags)
{
    struct Case {
        uint16_t flags;
        uint32_t instancesOffset;
    };
    // SBHUFF 1, SBREFINE 1, SBRTEMPLATE 0: Huffman flags and refinement AT
    // bytes before the instance count; SBHUFF 0, SBREFINE 0: neither.
    const Case cases[] = {{0x0003, 25}, {0x0000, 19}, {0x0001, 21}, {0x0002, 23}, {0x8003, 21}};
    for (const auto& c : cases) {
        JB2SegmentHeader* text = Make(6, RegionInfo(10, 10, 0, 0, 0));
        ASSERT_EQ(JB2TextSetFlags(text, c.flags), 0);
        std::vector<uint8_t> filler(c.instancesOffset - 19, 0xFF);
        if (!filler.empty()) {
            ASSERT_EQ(JB2SegmentWriteBytes(text, 19, static_cast<uint32_t>(filler.size()), filler.data()), 0);
        }
        ASSERT_EQ(JB2TextSetNumInstances(text, 0x01020304u), 0);
        uint32_t instances = 0;
        uint32_t raw = 0;
        EXPECT_EQ(JB2TextGetNumInstances(text, &instances), 0);
        EXPECT_EQ(JB2SegmentReadU32(text, c.instancesOffset, &raw), 0) << c.flags;
        EXPECT_EQ(raw, 0x01020304u) << c.flags;
        uint32_t header = 0;
        EXPECT_EQ(JB2TextHeaderLength(text, &header), 0);
        EXPECT_EQ(header, c.instancesOffset + 4);
        const uint8_t coded[] = {9, 8, 7};
        EXPECT_EQ(JB2TextWriteCodedData(coded, 0, 3, text), 3u);
        uint32_t codedLength = 0;
        EXPECT_EQ(JB2TextCodedDataLength(text, &codedLength), 0);
        EXPECT_EQ(codedLength, 3u);
        uint8_t back[3] = {};
        EXPECT_EQ(JB2TextReadCodedData(text, 0, 3, back), 0);
        EXPECT_EQ(back[2], 7);
        uint8_t nominal = 0;
        EXPECT_EQ(JB2TextHasNominalRefinementATPixels(text, &nominal), 0);
        EXPECT_EQ(nominal, 1) << c.flags;  // absent, or the 0xFF filler
        JB2SegmentRelease(&text);
    }

    JB2SegmentHeader* text = Make(7, RegionInfo(10, 10, 0, 0, 0));
    ASSERT_EQ(JB2TextSetFlags(text, 0x7C16), 0);  // SBDSOFFSET 11111, strips 2, SBREFINE
    int32_t dsOffset = 0;
    EXPECT_EQ(JB2TextGetDsOffset(text, &dsOffset), 0);
    EXPECT_EQ(dsOffset, -1);
    uint32_t strips = 0;
    EXPECT_EQ(JB2TextGetStripSize(text, &strips), 0);
    EXPECT_EQ(strips, 2u);
    EXPECT_EQ(JB2TextSetStripSize(text, 8), 0);
    EXPECT_EQ(JB2TextGetStripSize(text, &strips), 0);
    EXPECT_EQ(strips, 8u);
    uint16_t flags = 0;
    EXPECT_EQ(JB2TextGetFlags(text, &flags), 0);
    EXPECT_EQ(flags, 0x7C1E);
    EXPECT_EQ(JB2TextSetStripSize(text, 3), cJB2_Error_Internal);
    const uint8_t at[] = {1, 0xFE, 0xFF, 0xFF};
    ASSERT_EQ(JB2SegmentWriteBytes(text, 19, 4, at), 0);
    int8_t x[2];
    int8_t y[2];
    EXPECT_EQ(JB2TextGetRefinementATPixels(text, x, y), 0);
    EXPECT_EQ(x[0], 1);
    EXPECT_EQ(y[0], -2);
    uint8_t nominal = 1;
    EXPECT_EQ(JB2TextHasNominalRefinementATPixels(text, &nominal), 0);
    EXPECT_EQ(nominal, 0);
    EXPECT_EQ(JB2TextSetNominalRefinementATPixels(text), 0);
    EXPECT_EQ(JB2TextHasNominalRefinementATPixels(text, &nominal), 0);
    EXPECT_EQ(nominal, 1);
    JB2SegmentRelease(&text);
}

TEST_F(SegmentFixture, TextRegionHuffmanTablesComeFromFlagsAndReferredTables)
{
    JB2SegmentHeader* first = Make(53, {}, 1);
    JB2SegmentHeader* dictionary = Make(0, {0, 0}, 2);
    JB2SegmentHeader* second = Make(53, {}, 3);
    // SBHUFF 1, SBREFINE 0; FS user (3), DS B.10 (2), DT user (3).
    JB2SegmentHeader* text = Make(6, Concat(RegionInfo(10, 10, 0, 0, 0), {0x00, 0x01, 0x00, 0x3B, 0, 0, 0, 0}), 9);
    ASSERT_EQ(JB2SegmentSetReferredCount(text, 3, message), 0);
    ASSERT_EQ(JB2SegmentSetReferred(text, 0, first), 0);
    ASSERT_EQ(JB2SegmentSetReferred(text, 1, dictionary), 0);
    ASSERT_EQ(JB2SegmentSetReferred(text, 2, second), 0);

    uint32_t standard = 0;
    JB2SegmentHeader* user = nullptr;
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_FS, &standard, &user, message), 0);
    EXPECT_EQ(user, first);
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_DS, &standard, &user, message), 0);
    EXPECT_EQ(standard, 10u);
    EXPECT_EQ(user, nullptr);
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_DT, &standard, &user, message), 0);
    EXPECT_EQ(user, second);
    // Refinement tables only with SBREFINE.
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_RSIZE, &standard, &user, message),
              cJB2_Error_Invalid_Huffman_Table);
    EXPECT_TRUE(messages.HasOfType(11, "Invalid huffman table type used in text region segment!"));

    // FS value 2 selects nothing; a third user table is not there.
    ASSERT_EQ(JB2SegmentWriteU16(text, 19, 0x0032), 0);
    ASSERT_EQ(JB2TextSetFlags(text, 0x0003), 0);
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_FS, &standard, &user, message),
              cJB2_Error_Invalid_Huffman_Table);
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_RSIZE, &standard, &user, message), 0);
    EXPECT_EQ(standard, 1u);
    ASSERT_EQ(JB2SegmentWriteU16(text, 19, 0x00F0 | 0x4000), 0);  // DT user, RDW user, RSIZE user
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_RDW, &standard, &user, message), 0);
    EXPECT_EQ(user, second);
    EXPECT_EQ(JB2TextSelectHuffmanTable(text, cJB2_Huffman_RSIZE, &standard, &user, message),
              cJB2_Error_Invalid_Huffman_Table);
    EXPECT_TRUE(messages.HasOfType(91, "Failure getting user defined huffman table used by text region!"));

    JB2SegmentRelease(&text);
    JB2SegmentRelease(&first);
    JB2SegmentRelease(&dictionary);
    JB2SegmentRelease(&second);
}

TEST_F(SegmentFixture, RegionSupportTest)
{
    struct Case {
        uint32_t type;
        uint8_t regionFlags;
        uint8_t supported;
        JB2_Error status;
        const char* warning;
    };
    const Case cases[] = {
        {38, 0, 1, 0, nullptr},
        {39, 4, 1, 0, nullptr},
        {38, 5, 0, cJB2_Error_Invalid_Segment_Data, nullptr},
        {36, 0, 0, 0, "Unsupported generic region segment!"},
        {42, 0, 0, 0, "Unsupported generic region segment!"},
        {20, 0, 0, 0, "Unsupported halftone region segment!"},
        {22, 0, 1, 0, nullptr},
        {4, 0, 0, 0, "Unsupported text region segment!"},
        {6, 0, 1, 0, nullptr},
        {48, 0, 0, 0, nullptr},
    };
    for (const auto& c : cases) {
        messages.pieces.clear();
        JB2SegmentHeader* segment = Make(c.type, Concat(RegionInfo(4, 4, 0, 0, c.regionFlags), {0, 0}));
        uint8_t supported = 7;
        EXPECT_EQ(JB2RegionIsSupported(segment, &supported, message), c.status) << c.type;
        EXPECT_EQ(supported, c.supported) << c.type;
        if (c.warning) {
            EXPECT_TRUE(messages.HasOfType(11, c.warning)) << c.type;
        }
        if (c.status == cJB2_Error_Invalid_Segment_Data) {
            EXPECT_TRUE(messages.HasOfType(91, "Invalid region segment flags!"));
        }
        JB2SegmentRelease(&segment);
    }

    // A text region whose dictionary reuses coding contexts is not supported.
    JB2SegmentHeader* dictionary = Make(0, {0x01, 0x00}, 1);
    JB2SegmentHeader* text = Make(6, Concat(RegionInfo(4, 4, 0, 0, 0), {0, 0}), 2);
    ASSERT_EQ(JB2SegmentSetReferredCount(text, 1, message), 0);
    ASSERT_EQ(JB2SegmentSetReferred(text, 0, dictionary), 0);
    messages.pieces.clear();
    uint8_t supported = 1;
    EXPECT_EQ(JB2RegionIsSupported(text, &supported, message), 0);
    EXPECT_EQ(supported, 0);
    EXPECT_TRUE(messages.HasOfType(11, "Context reuse in symbol dictionary not yet supported!"));
    EXPECT_TRUE(messages.HasOfType(91, "Symbol dictionary used by text regions not yet supported!"));

    JB2SegmentArray* array = nullptr;
    ASSERT_EQ(JB2SegmentArrayCreate(&array, memory, message), 0);
    JB2SegmentHeader* generic = Make(38, Concat(RegionInfo(4, 4, 0, 0, 0), {0}), 0);
    ASSERT_EQ(JB2SegmentArrayAdd(array, generic, message), 0);
    EXPECT_EQ(JB2SegmentArrayAllRegionsSupported(array, &supported, message), 0);
    EXPECT_EQ(supported, 1);
    ASSERT_EQ(JB2SegmentArrayAdd(array, dictionary, message), 0);
    ASSERT_EQ(JB2SegmentArrayAdd(array, text, message), 0);
    EXPECT_EQ(JB2SegmentArrayAllRegionsSupported(array, &supported, message), 0);
    EXPECT_EQ(supported, 0);
    JB2SegmentArrayRelease(&array);
    JB2SegmentRelease(&generic);
    JB2SegmentRelease(&text);
    JB2SegmentRelease(&dictionary);
}
