// Segment headers both ways, damaged headers, and the segment array.
#include <gtest/gtest.h>

#include <string>

#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

uint32_t NumberWidth(uint32_t number)
{
    return number <= 256 ? 1 : number <= 65536 ? 2 : 4;
}

uint32_t ExpectedHeaderLength(uint32_t number, uint32_t count, bool page4)
{
    const uint32_t countField = count <= 4 ? 1 : 4 + (count + 1 + 7) / 8;
    return 4 + 1 + countField + count * NumberWidth(number) + (page4 ? 4 : 1) + 4;
}

}  // namespace

TEST_F(SegmentFixture, HeadersRoundTripAroundEveryFieldWidth)
{
    const uint32_t numbers[] = {1, 255, 256, 257, 65535, 65536, 65537, 0x12345678u};
    const uint32_t counts[] = {0, 1, 4, 5, 7, 8, 9, 15, 16, 300};
    const uint32_t pages[] = {0, 1, 255, 256, 65535, 65536, 0xFFFFFFFFu};
    for (uint32_t number : numbers) {
        for (uint32_t count : counts) {
            for (uint32_t page : pages) {
                SCOPED_TRACE("number " + std::to_string(number) + " count " + std::to_string(count) + " page " +
                             std::to_string(page));
                JB2SegmentHeader* segment = Make(38, {1, 2, 3}, number);
                ASSERT_NE(segment, nullptr);
                ASSERT_EQ(JB2SegmentSetReferredCount(segment, count, message), 0);
                for (uint32_t i = 0; i < count; ++i) {
                    segment->referredNumbers[i] = number - 1 - (i % number);
                    segment->referredRetainBits[i] = (i * 7 + number) % 3 == 0;
                }
                segment->retain = number & 1;
                segment->deferredNonRetain = page & 1;
                ASSERT_EQ(JB2SegmentSetPageAssociation(segment, page), 0);

                target.bytes.clear();
                uint32_t length = 0;
                ASSERT_EQ(JB2SegmentWriteHeader(segment, writeData, 0, &length, message), 0);
                EXPECT_EQ(length, ExpectedHeaderLength(number, count, page >= 256));
                EXPECT_EQ(JB2SegmentHeaderLength(segment), length);
                ASSERT_EQ(target.bytes.size(), length);

                source.bytes = target.bytes;
                source.bytes.insert(source.bytes.end(), {1, 2, 3});
                JB2SegmentHeader* back = nullptr;
                uint32_t readLength = 0;
                ASSERT_EQ(JB2SegmentReadHeader(&back, memory, nullptr, readData, 0, &readLength, nullptr), 0);
                EXPECT_EQ(readLength, length);
                EXPECT_EQ(back->number, number);
                EXPECT_EQ(back->type, 38);
                EXPECT_EQ(back->pageAssociation, page);
                EXPECT_EQ(back->pageAssociationIs4Bytes, page >= 256 ? 1 : 0);
                EXPECT_EQ(back->retain, segment->retain);
                EXPECT_EQ(back->deferredNonRetain, segment->deferredNonRetain);
                ASSERT_EQ(back->referredCount, count);
                for (uint32_t i = 0; i < count; ++i) {
                    EXPECT_EQ(back->referredNumbers[i], segment->referredNumbers[i]);
                    EXPECT_EQ(back->referredRetainBits[i], segment->referredRetainBits[i]);
                }
                EXPECT_EQ(JB2SegmentLocationLength(back), 3u);
                EXPECT_EQ(JB2SegmentDataOffset(back), length);
                ASSERT_EQ(JB2SegmentAttachSource(back, readData, nullptr), 0);
                uint8_t bytes[3] = {};
                EXPECT_EQ(JB2SegmentReadBytes(back, 0, 3, bytes), 0);
                EXPECT_EQ(bytes[2], 3);
                JB2SegmentRelease(&back);
                JB2SegmentRelease(&segment);
            }
        }
    }
}

TEST_F(SegmentFixture, FieldWidthsFollowTheSegmentNumberAndCount)
{
    struct Case {
        uint32_t number;
        uint32_t count;
        std::vector<uint8_t> countField;  // bytes after the flags byte, up to the numbers
        uint32_t numberWidth;
    };
    const std::vector<Case> cases = {
        {256, 1, {0x20}, 1},
        {257, 1, {0x20}, 2},
        {65536, 1, {0x20}, 2},
        {65537, 1, {0x20}, 4},
        {10, 4, {0x80}, 1},
        {10, 5, {0xE0, 0, 0, 5, 0}, 1},
        {10, 7, {0xE0, 0, 0, 7, 0}, 1},
        {10, 8, {0xE0, 0, 0, 8, 0, 0}, 1},
    };
    for (const auto& c : cases) {
        JB2SegmentHeader* segment = Make(48, {}, c.number);
        ASSERT_EQ(JB2SegmentSetReferredCount(segment, c.count, message), 0);
        target.bytes.clear();
        uint32_t length = 0;
        ASSERT_EQ(JB2SegmentWriteHeader(segment, writeData, 0, &length, nullptr), 0);
        std::vector<uint8_t> field(target.bytes.begin() + 5, target.bytes.begin() + 5 + c.countField.size());
        EXPECT_EQ(field, c.countField) << c.number << "/" << c.count;
        EXPECT_EQ(length, 5 + c.countField.size() + c.count * c.numberWidth + 1 + 4) << c.number << "/" << c.count;
        JB2SegmentRelease(&segment);
    }
    JB2SegmentHeader* plain = Make(49, {});
    EXPECT_EQ(JB2SegmentHeaderLength(plain), 11u);
    ASSERT_EQ(JB2SegmentSetPageAssociation(plain, 255), 0);
    EXPECT_EQ(JB2SegmentHeaderLength(plain), 11u);
    ASSERT_EQ(JB2SegmentSetPageAssociation(plain, 256), 0);
    EXPECT_EQ(JB2SegmentHeaderLength(plain), 14u);
    ASSERT_EQ(JB2SegmentSetPageAssociation(plain, 3), 0);  // the wide field stays
    EXPECT_EQ(JB2SegmentHeaderLength(plain), 14u);
    plain->pageAssociationIs4Bytes = 0;
    plain->pageAssociation = 300;  // cannot be written in one byte
    EXPECT_EQ(JB2SegmentHeaderLength(plain), 0u);
    JB2SegmentRelease(&plain);
}

TEST_F(SegmentFixture, ReadsTheStandardsExampleHeaders)
{
    // Example 1: segment 32, type 6, three referred-to segments, page 4.
    source.bytes = {0x00, 0x00, 0x00, 0x20, 0x86, 0x6B, 0x02, 0x1E, 0x05, 0x04, 0x00, 0x00, 0x00, 0x00};
    JB2SegmentHeader* segment = nullptr;
    uint32_t length = 0;
    ASSERT_EQ(JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &length, message), 0);
    EXPECT_EQ(length, 14u);
    EXPECT_EQ(segment->number, 32u);
    EXPECT_EQ(segment->type, 6);
    EXPECT_EQ(segment->deferredNonRetain, 1);
    EXPECT_EQ(segment->retain, 1);
    ASSERT_EQ(segment->referredCount, 3u);
    EXPECT_EQ(segment->referredNumbers[0], 2u);
    EXPECT_EQ(segment->referredNumbers[1], 30u);
    EXPECT_EQ(segment->referredNumbers[2], 5u);
    EXPECT_EQ(segment->referredRetainBits[0], 1);
    EXPECT_EQ(segment->referredRetainBits[1], 0);
    EXPECT_EQ(segment->referredRetainBits[2], 1);
    EXPECT_EQ(segment->pageAssociation, 4u);
    EXPECT_TRUE(messages.HasOfType(1, "Segment type             :  6 (Immediate text region)"));
    EXPECT_TRUE(messages.HasOfType(11, "Unable to find referred-to segment (30)!"));
    target.bytes.clear();
    ASSERT_EQ(JB2SegmentWriteHeader(segment, writeData, 0, &length, nullptr), 0);
    EXPECT_EQ(target.bytes, source.bytes);
    JB2SegmentRelease(&segment);

    // Example 2: segment 564, long count form with 9 segments in 2-byte
    // numbers, page 1025 in 4 bytes; the unused retention bits are set.
    source.bytes = {0x00, 0x00, 0x02, 0x34, 0x40, 0xE0, 0x00, 0x00, 0x09, 0x02, 0xFD, 0x01, 0x00,
                    0x00, 0x02, 0x00, 0x1E, 0x00, 0x05, 0x02, 0x00, 0x02, 0x01, 0x02, 0x02, 0x02,
                    0x03, 0x02, 0x04, 0x00, 0x00, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00};
    messages.pieces.clear();
    ASSERT_EQ(JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &length, message), 0);
    EXPECT_EQ(length, source.bytes.size());
    EXPECT_EQ(segment->number, 564u);
    EXPECT_EQ(segment->type, 0);
    EXPECT_EQ(segment->pageAssociation, 1025u);
    ASSERT_EQ(segment->referredCount, 9u);
    const uint32_t referred[] = {256, 2, 30, 5, 512, 513, 514, 515, 516};
    for (uint32_t i = 0; i < 9; ++i)
        EXPECT_EQ(segment->referredNumbers[i], referred[i]);
    EXPECT_EQ(segment->referredRetainBits[0], 1);
    EXPECT_EQ(segment->referredRetainBits[7], 1);
    EXPECT_EQ(segment->referredRetainBits[8], 0);
    EXPECT_TRUE(messages.HasOfType(1, "(Long format for referred-to segment count and retention flags)"));
    EXPECT_TRUE(messages.HasOfType(11, "Bit 10 of segment header retention flags non-zero (segment 564) !"));
    EXPECT_TRUE(messages.HasOfType(11, "Bit 15 of segment header retention flags non-zero (segment 564) !"));
    JB2SegmentRelease(&segment);
}

struct DamagedCase {
    const char* name;
    std::vector<uint8_t> bytes;
    JB2_Error status;
    const char* text;  // the error text, or null for none
};

TEST_F(SegmentFixture, DamagedHeadersGiveStatusCodesWithoutFileDrivenAllocation)
{
    const std::vector<DamagedCase> cases = {
        {"empty", {}, cJB2_Error_Read_Failure, nullptr},
        {"short number", {0, 0, 1}, cJB2_Error_Read_Failure, nullptr},
        {"no flags",
         {0, 0, 0, 1},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read segment header flags!"},
        {"no count",
         {0, 0, 0, 1, 38},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read count and retention flags!"},
        {"count bits 101",
         {0, 0, 0, 1, 38, 0xA0, 0, 0, 0, 0, 0},
         cJB2_Error_Invalid_File,
         "Invalid segment header - invalid read count and retention flags!"},
        {"count bits 110",
         {0, 0, 0, 1, 38, 0xC0, 0, 0, 0, 0, 0},
         cJB2_Error_Invalid_File,
         "Invalid segment header - invalid read count and retention flags!"},
        {"long count cut",
         {0, 0, 0, 1, 38, 0xE0, 0},
         cJB2_Error_Invalid_File,
         "Invalid segment header - invalid read count and retention flags!"},
        {"largest long count, nothing behind",
         {0, 0, 0, 9, 38, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 2},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read referred-to segment number!"},
        {"long count 5000 with a few numbers",
         {0, 0, 0x30, 0, 38, 0xE0, 0, 0x13, 0x88, 0, 0, 1, 0, 2, 0, 3},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read referred-to segment number!"},
        {"numbers cut",
         {0, 0, 0, 9, 38, 0x60, 1, 2},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read referred-to segment number!"},
        {"page cut",
         {0, 0, 0x01, 0x00, 0x40 | 38, 0x00, 0, 0},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read segment page association field!"},
        {"length cut",
         {0, 0, 0, 1, 38, 0x00, 1, 0, 0},
         cJB2_Error_Read_Failure,
         "Invalid segment header - unable to read segment data length!"},
        {"unknown length",
         {0, 0, 0, 1, 38, 0x00, 1, 0xFF, 0xFF, 0xFF, 0xFF},
         cJB2_Error_Not_Yet_Supported,
         "0xffffffff as segment data length is not currently supported!"},
    };
    // The long counts above are refused before any array is sized by them:
    // nothing larger than the segment object itself may be asked for.
    for (const auto& c : cases) {
        source.bytes = c.bytes;
        messages.pieces.clear();
        allocator.largest = 0;
        const uint64_t live = allocator.Live();
        JB2SegmentHeader* segment = reinterpret_cast<JB2SegmentHeader*>(&allocator);
        uint32_t length = 99;
        EXPECT_EQ(JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &length, message), c.status) << c.name;
        EXPECT_EQ(segment, nullptr) << c.name;
        EXPECT_EQ(length, 0u) << c.name;
        EXPECT_EQ(allocator.Live(), live) << c.name;
        EXPECT_LE(allocator.largest, sizeof(JB2SegmentHeader)) << c.name;
        if (c.text) {
            EXPECT_TRUE(messages.HasOfType(cJB2_Message_Error, c.text)) << c.name << "\n" << messages.All();
        } else {
            EXPECT_FALSE(messages.HasOfType(cJB2_Message_Error, "")) << c.name;
        }
    }
}

TEST_F(SegmentFixture, EveryAllocationFailureOfAHeaderReadIsCleanedUp)
{
    JB2SegmentHeader* segment = Make(38, {}, 300);
    ASSERT_EQ(JB2SegmentSetReferredCount(segment, 6, message), 0);
    uint32_t written = 0;
    ASSERT_EQ(JB2SegmentWriteHeader(segment, writeData, 0, &written, nullptr), 0);
    JB2SegmentRelease(&segment);
    source.bytes = target.bytes;
    for (uint64_t fail = 1; fail <= 5; ++fail) {
        allocator.failAt = allocator.allocations + fail;
        const uint64_t live = allocator.Live();
        uint32_t length = 0;
        const JB2_Error status = JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &length, message);
        allocator.failAt = 0;
        if (status == cJB2_Error_OK) {
            JB2SegmentRelease(&segment);
            EXPECT_GE(fail, 5u);
            break;
        }
        EXPECT_EQ(status, cJB2_Error_Allocation_Failure) << fail;
        EXPECT_EQ(segment, nullptr);
        EXPECT_EQ(allocator.Live(), live) << fail;
    }
}

TEST_F(SegmentFixture, ReferredToSegmentsAreLinkedFromTheSegmentsReadBefore)
{
    JB2SegmentArray* array = nullptr;
    ASSERT_EQ(JB2SegmentArrayCreate(&array, memory, message), 0);
    JB2SegmentHeader* kept = Make(0, {}, 0);
    kept->retain = 1;
    JB2SegmentHeader* notKept = Make(53, {}, 1);
    ASSERT_EQ(JB2SegmentArrayAdd(array, kept, message), 0);
    ASSERT_EQ(JB2SegmentArrayAdd(array, notKept, message), 0);

    // Segment 2 refers to 0, 1 and 9; page 1, no data.
    source.bytes = {0, 0, 0, 2, 6, 0x60, 0, 1, 9, 1, 0, 0, 0, 0};
    JB2SegmentHeader* segment = nullptr;
    uint32_t length = 0;
    ASSERT_EQ(JB2SegmentReadHeader(&segment, memory, array, readData, 0, &length, message), 0);
    EXPECT_EQ(JB2SegmentGetReferred(segment, 0), kept);
    EXPECT_EQ(JB2SegmentGetReferred(segment, 1), notKept);
    EXPECT_EQ(JB2SegmentGetReferred(segment, 2), nullptr);
    EXPECT_EQ(JB2SegmentGetReferred(segment, 3), nullptr);
    EXPECT_TRUE(messages.HasOfType(11, "Unable to find requested segment!"));
    EXPECT_TRUE(messages.HasOfType(11, "Unable to find referred-to segment (9)!"));
    EXPECT_TRUE(messages.HasOfType(11, "Retain bit should be 1 for referred to segment (1)!"));
    EXPECT_TRUE(messages.HasOfType(11, "Retain bit should be 1 for referred to segment (9)!"));
    EXPECT_FALSE(messages.HasOfType(11, "Retain bit should be 1 for referred to segment (0)!"));

    // Linking by hand checks the index and the numbering.
    EXPECT_EQ(JB2SegmentSetReferred(segment, 3, kept), cJB2_Error_Internal);
    JB2SegmentHeader* later = Make(38, {}, 7);
    EXPECT_EQ(JB2SegmentSetReferred(segment, 2, later), cJB2_Error_Internal);
    EXPECT_EQ(JB2SegmentSetReferred(segment, 2, notKept), 0);
    EXPECT_EQ(notKept->retain, 1);
    EXPECT_EQ(segment->referredNumbers[2], 1u);
    EXPECT_EQ(JB2SegmentSetReferredCount(segment, 0x20000000u, message), cJB2_Error_Internal);

    JB2SegmentRelease(&later);
    JB2SegmentRelease(&segment);
    JB2SegmentRelease(&kept);
    JB2SegmentRelease(&notKept);
    JB2SegmentArrayRelease(&array);
}

TEST_F(SegmentFixture, SegmentDataIsWrittenInPiecesAndShortWritesFail)
{
    std::vector<uint8_t> data(10000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 13);
    JB2SegmentHeader* segment = Make(38, data);
    EXPECT_EQ(JB2SegmentDataLength(segment), 10000u);
    ASSERT_EQ(JB2SegmentWriteData(segment, writeData, 3, message), 0);
    ASSERT_EQ(target.bytes.size(), 10003u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), target.bytes.begin() + 3));
    target.failAfter = 5000;
    EXPECT_EQ(JB2SegmentWriteData(segment, writeData, 0, message), cJB2_Error_Write_Failure);
    EXPECT_TRUE(messages.HasOfType(91, "Unable to write segment data!"));

    uint32_t value = 0;
    EXPECT_EQ(JB2SegmentReadU32(segment, 9998, &value), cJB2_Error_Read_Failure);
    EXPECT_EQ(JB2SegmentReadBytes(segment, 20000, 0, data.data()), 0);
    EXPECT_EQ(JB2SegmentReadU32(segment, 0, nullptr), cJB2_Error_Internal);
    const uint8_t bytes[] = {0xAA, 0xBB};
    EXPECT_EQ(JB2SegmentWriteCallback(bytes, 10000, 2, segment), 2u);
    EXPECT_EQ(JB2SegmentDataLength(segment), 10002u);
    uint16_t u16 = 0;
    EXPECT_EQ(JB2SegmentReadU16(segment, 10000, &u16), 0);
    EXPECT_EQ(u16, 0xAABB);
    JB2SegmentRelease(&segment);

    JB2SegmentHeader* unknown = nullptr;
    EXPECT_EQ(JB2SegmentCreate(&unknown, memory, 1, 37, message), cJB2_Error_Internal);
    EXPECT_EQ(unknown, nullptr);
}

TEST_F(SegmentFixture, TypeNamesAndClasses)
{
    char name[300];
    EXPECT_EQ(JB2SegmentTypeNameFormat(43, name, sizeof name), 0);
    EXPECT_STREQ(name, "Immediate lossless generic refinement region");
    EXPECT_EQ(JB2SegmentTypeNameFormat(37, name, sizeof name), 0);
    EXPECT_STREQ(name, "Unknown");
    EXPECT_EQ(JB2SegmentTypeNameFormat(0, nullptr, 10), cJB2_Error_Invalid_Pointer);
    int regions = 0;
    for (uint32_t type = 0; type < 64; ++type)
        regions += JB2SegmentTypeIsRegion(type);
    EXPECT_EQ(regions, 12);
    EXPECT_FALSE(JB2SegmentTypeIsGenericRegion(37));
    EXPECT_FALSE(JB2SegmentTypeIsGenericRegion(41));
    EXPECT_TRUE(JB2SegmentTypeIsGenericRegion(40));
}

TEST_F(SegmentFixture, UnknownTypesAreReadWithWarnings)
{
    source.bytes = {0, 0, 0, 3, 37, 0x00, 1, 0, 0, 0, 2, 0xAB, 0xCD};
    JB2SegmentHeader* segment = nullptr;
    uint32_t length = 0;
    ASSERT_EQ(JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &length, message), 0);
    EXPECT_EQ(segment->type, 37);
    EXPECT_TRUE(messages.HasOfType(11, "Skipping segment         :  3"));
    EXPECT_TRUE(messages.HasOfType(11, "Unknown segment type     :  37"));
    EXPECT_TRUE(messages.HasOfType(1, "Segment type             :  37 (Unknown)"));
    JB2SegmentRelease(&segment);
}

TEST_F(SegmentFixture, SegmentArrayKeepsFileOrder)
{
    JB2SegmentArray* array = nullptr;
    ASSERT_EQ(JB2SegmentArrayCreate(&array, memory, message), 0);
    const struct {
        uint32_t number, type, page;
    } segments[] = {{0, 0, 0},  {1, 48, 1}, {2, 38, 1}, {3, 50, 1}, {4, 50, 1},  {5, 49, 1},
                    {6, 48, 2}, {7, 38, 2}, {8, 49, 2}, {9, 48, 3}, {10, 49, 3}, {11, 51, 0}};
    for (const auto& s : segments) {
        JB2SegmentHeader* segment = Make(s.type, {}, s.number);
        JB2SegmentSetPageAssociation(segment, s.page);
        if (s.type == 50)
            JB2SegmentWriteU32(segment, 0, s.number * 100);
        ASSERT_EQ(JB2SegmentArrayAdd(array, segment, message), 0);
        JB2SegmentRelease(&segment);
    }
    EXPECT_TRUE(messages.pieces.empty()) << messages.All();
    EXPECT_EQ(array->count, 12u);
    EXPECT_EQ(JB2SegmentArrayLargestPage(array), 3u);
    EXPECT_TRUE(JB2SegmentArrayHasGlobalSegments(array));
    EXPECT_EQ(JB2SegmentArrayLastStripeRow(array, 1), 400u);
    EXPECT_EQ(JB2SegmentArrayLastStripeRow(array, 2), 0u);

    JB2SegmentHeader* found = nullptr;
    ASSERT_EQ(JB2SegmentArrayFindByTypeAndPage(array, 48, 2, &found, message), 0);
    EXPECT_EQ(found->number, 6u);
    ASSERT_EQ(JB2SegmentArrayFindByNumber(array, 7, &found, message), 0);
    EXPECT_EQ(found->type, 38);
    ASSERT_EQ(JB2SegmentArrayFindByNumber(array, 70, &found, message), 0);
    EXPECT_EQ(found, nullptr);
    EXPECT_TRUE(messages.HasOfType(11, "Unable to find requested segment!"));
    EXPECT_EQ(JB2SegmentArrayGet(array, 12, &found), cJB2_Error_Internal);

    ASSERT_EQ(JB2SegmentArrayDropTrailingEndOfFile(array), 0);
    EXPECT_EQ(array->count, 11u);
    ASSERT_EQ(JB2SegmentArrayDropTrailingEndOfFile(array), 0);
    EXPECT_EQ(array->count, 11u);

    // Numbers out of order are warned about once each and kept.
    messages.pieces.clear();
    for (uint32_t number : {10u, 7u}) {
        JB2SegmentHeader* segment = Make(62, {}, number);
        ASSERT_EQ(JB2SegmentArrayAdd(array, segment, message), 0);
        JB2SegmentRelease(&segment);
    }
    EXPECT_EQ(array->count, 13u);
    const std::vector<std::pair<int32_t, std::string>> warnings = {
        {11, "Invalid segment numbering -- segment numbers must be ascending!"},
        {11, ""},
        {11, "Invalid segment numbering -- segment numbers must be ascending!"},
        {11, ""}};
    EXPECT_EQ(messages.pieces, warnings);
    JB2SegmentArrayRelease(&array);
}
