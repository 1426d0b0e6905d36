// The file object: organisations and file headers read and written, page
// information by page, and the PDF writer's page sizes.
#include <gtest/gtest.h>

#include <string>

#include "jbig2codec/document/JB2File.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/document/JB2FileExport.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

struct FileFixture : SegmentFixture {
    JB2File* Read(const std::vector<uint8_t>& bytes, JB2_Error expected = 0)
    {
        source.bytes = bytes;
        JB2File* file = nullptr;
        EXPECT_EQ(JB2FileRead(&file, memory, readData, message), expected) << messages.All();
        return file;
    }

    std::vector<uint8_t> Write(JB2File* file, JB2_Error expected = 0)
    {
        target.bytes.clear();
        EXPECT_EQ(JB2FileWriteJBIG2(file, writeData, message), expected);
        return target.bytes;
    }

    // A page of width x height with the given resolutions, no regions.
    JB2File* BlankPage(uint32_t width, uint32_t height, uint32_t xResolution, uint32_t yResolution)
    {
        JB2File* file = nullptr;
        EXPECT_EQ(JB2FileCreate(&file, memory, message), 0);
        JB2FileSetOrganisation(file, cJB2_Organisation_Sequential);
        JB2SegmentHeader* information = Make(48, {}, 0);
        JB2SegmentSetPageAssociation(information, 1);
        EXPECT_EQ(JB2PageInfoSetWidth(information, width), 0);
        EXPECT_EQ(JB2PageInfoSetHeight(information, height), 0);
        EXPECT_EQ(JB2PageInfoSetXResolution(information, xResolution), 0);
        EXPECT_EQ(JB2PageInfoSetYResolution(information, yResolution), 0);
        EXPECT_EQ(JB2PageInfoSetFlags(information, 0), 0);
        EXPECT_EQ(JB2PageInfoSetStriping(information, 0), 0);
        EXPECT_EQ(JB2FileAddSegment(file, &information, message), 0);
        return file;
    }
};

}  // namespace

TEST_F(FileFixture, SequentialFilesAreWrittenAsTheyWereRead)
{
    const auto bytes = JB2Test::DataFile("small-64x48.generic.jb2");
    JB2File* file = Read(bytes);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->organisation, cJB2_Organisation_Sequential);
    EXPECT_EQ(file->pages, 1u);
    EXPECT_TRUE(messages.HasOfType(1, "Sequential file format organisation"));
    EXPECT_TRUE(messages.HasOfType(1, "Number of pages in file  :  1"));
    const auto written = Write(file);
    EXPECT_EQ(written, bytes);
    const std::vector<uint8_t> header = {0x97, 0x4A, 0x42, 0x32, 0x0D, 0x0A, 0x1A, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x01};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), written.begin()));
    JB2FileRelease(&file);
}

TEST_F(FileFixture, RandomAccessFilesRoundTripAndDecodeWithJbig2dec)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    JB2File* file = Read(JB2Test::DataFile("twopage.symbol.jb2"));
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(JB2FileSetOrganisation(file, cJB2_Organisation_Random_Access), 0);
    EXPECT_EQ(JB2FileSetOrganisation(file, 2), cJB2_Error_Internal);
    const uint32_t pages = file->pages;
    file->pages = 0;  // page count unknown: flags 0x02, segments from offset 9
    const auto randomAccess = Write(file);
    file->pages = pages;
    JB2FileRelease(&file);
    ASSERT_GT(randomAccess.size(), 9u);
    EXPECT_EQ(randomAccess[8], 0x02);
    EXPECT_EQ(randomAccess[9], 0x00);  // the first segment number begins at once
    EXPECT_EQ(JB2Test::Jbig2dec(randomAccess), JB2Test::ParsePbm(JB2Test::DataFile("twopage.symbol.expected.pbm")));

    // The source ends with its last end of page; the random-access form
    // needs an end of file segment and gets one.
    messages.pieces.clear();
    file = Read(randomAccess);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->organisation, cJB2_Organisation_Random_Access);
    EXPECT_EQ(file->pages, 2u);
    EXPECT_EQ(file->segments->items[file->segments->count - 1]->type, cJB2_Segment_End_Of_File);
    EXPECT_TRUE(messages.HasOfType(1, "Number of pages in file  :  unknown"));
    file->pages = 0;
    EXPECT_EQ(Write(file), randomAccess);
    JB2FileRelease(&file);

    // Without its end of file segment a random-access file is refused.
    messages.pieces.clear();
    std::vector<uint8_t> cut(randomAccess.begin(), randomAccess.begin() + 60);
    EXPECT_EQ(Read(cut, cJB2_Error_Read_Failure), nullptr);
    EXPECT_TRUE(messages.HasOfType(11, "Read failure and no end of file segment found!"));
}

TEST_F(FileFixture, FileHeadersWithOddValues)
{
    const auto bytes = JB2Test::DataFile("small-64x48.generic.jb2");
    struct Case {
        const char* name;
        size_t at;
        std::vector<uint8_t> with;
        uint32_t pages;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"page count 0", 9, {0, 0, 0, 0}, 1, "Invalid file -- JBIG2 file header number of pages field is 0!"},
        {"page count too low", 9, {0, 0, 0, 0}, 1, "Assuming single page and attempting to decompress!"},
        {"page count 5", 9, {0, 0, 0, 5}, 5, nullptr},
        {"flags with spare bits", 8, {0x05}, 1, "Bits 2-7 of JBIG2 file header flags non-zero!"},
    };
    for (const auto& c : cases) {
        auto patched = bytes;
        std::copy(c.with.begin(), c.with.end(), patched.begin() + c.at);
        messages.pieces.clear();
        JB2File* file = Read(patched);
        ASSERT_NE(file, nullptr) << c.name;
        EXPECT_EQ(file->pages, c.pages) << c.name;
        if (c.message) {
            EXPECT_TRUE(messages.HasOfType(11, c.message)) << c.name << "\n" << messages.All();
        }
        JB2FileRelease(&file);
    }

    // Fewer than 8 bytes are no file at all.
    messages.pieces.clear();
    EXPECT_EQ(Read({0x97, 0x4A}, cJB2_Error_Invalid_File), nullptr);
    EXPECT_TRUE(messages.HasOfType(91, "Invalid file -- can't read first 8 bytes of file!"));
    // A header cut before its page count.
    EXPECT_EQ(Read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11), cJB2_Error_Invalid_File), nullptr);

    // Without the id bytes the data is a stream of segments from offset 0.
    messages.pieces.clear();
    JB2File* file = Read(std::vector<uint8_t>(bytes.begin() + 13, bytes.end()));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(messages.HasOfType(1, "Unknown or embedded file format organisation"));
    EXPECT_EQ(file->pages, 1u);
    EXPECT_EQ(file->segments->count, 4u);
    JB2FileRelease(&file);
}

TEST_F(FileFixture, SegmentDataRunningPastTheEndIsCutToWhatIsThere)
{
    auto bytes = JB2Test::DataFile("small-64x48.generic.jb2");
    // The generic region segment: its header follows the page information
    // segment (13 + 11 + 19); its data length field is the last 4 bytes.
    const size_t header = 13 + 11 + 19;
    ASSERT_EQ(bytes[header + 4], 38);
    const size_t lengthField = header + 7;
    const uint32_t length = JB2GetU32(&bytes[lengthField]);
    bytes[lengthField] = 0x7F;  // two gigabytes more than there is
    JB2File* file = Read(bytes);
    ASSERT_NE(file, nullptr);
    JB2SegmentHeader* region = file->segments->items[1];
    EXPECT_EQ(JB2SegmentLocationLength(region), bytes.size() - (header + 11));
    EXPECT_GT(JB2SegmentLocationLength(region), length);
    EXPECT_TRUE(messages.HasOfType(11, "Segment data truncated (segment 1: " +
                                           std::to_string(bytes.size() - header - 11) + " of " +
                                           std::to_string(0x7F000000u | length) + " bytes)!"))
        << messages.All();
    EXPECT_LT(allocator.largest, 1u << 16);
    JB2FileRelease(&file);
}

TEST_F(FileFixture, PageInformationByPage)
{
    JB2File* file = BlankPage(640, 0xFFFFFFFFu, 3780, 3780);
    // The height comes from the end of stripe segments.
    for (uint32_t row : {99u, 199u}) {
        JB2SegmentHeader* stripe = Make(50, {}, file->segments->count);
        JB2SegmentSetPageAssociation(stripe, 1);
        ASSERT_EQ(JB2SegmentWriteU32(stripe, 0, row), 0);
        ASSERT_EQ(JB2FileAddSegment(file, &stripe, message), 0);
        EXPECT_EQ(stripe, nullptr);
    }
    ASSERT_EQ(JB2PageAddNewSegment(file, cJB2_Segment_End_Of_Page, 1, message), 0);
    ASSERT_EQ(JB2PageAddNewSegment(file, cJB2_Segment_End_Of_File, 0, message), 0);
    EXPECT_EQ(JB2FilePageCount(file), 1u);
    EXPECT_EQ(JB2FileSegmentCount(file), 5u);
    uint32_t value = 0;
    EXPECT_EQ(JB2PageGetHeight(file, 0, &value), 0);
    EXPECT_EQ(value, 200u);
    EXPECT_EQ(JB2PageGetWidth(file, 0, &value), 0);
    EXPECT_EQ(value, 640u);
    EXPECT_EQ(JB2PageGetWidth(file, 1, &value), cJB2_Error_Internal);
    EXPECT_EQ(JB2PageGetWidth(file, 0, nullptr), cJB2_Error_Internal);
    JB2SegmentHeader* information = file->segments->items[0];
    ASSERT_EQ(JB2PageInfoSetFlags(information, 0x48), 0);
    EXPECT_EQ(JB2PageGetDefaultCombinationOperator(file, 0, &value), 0);
    EXPECT_EQ(value, 128u);
    JB2SegmentHeader* found = nullptr;
    EXPECT_EQ(JB2FileFindSegment(file, 3, &found, message), 0);
    EXPECT_EQ(found->type, 49);

    // A new generic region segment for each coder.
    JB2SegmentHeader* region = nullptr;
    ASSERT_EQ(JB2PageNewGenericRegion(file, 64, 32, cJB2_Coder_Arithmetic, 1, &region, message), 0);
    uint32_t headerLength = 0;
    uint8_t nominal = 0;
    EXPECT_EQ(JB2GenericHeaderLength(region, &headerLength), 0);
    EXPECT_EQ(headerLength, 20u);
    EXPECT_EQ(JB2GenericHasNominalATPixels(region, &nominal), 0);
    EXPECT_EQ(nominal, 1);
    JB2SegmentRelease(&region);
    ASSERT_EQ(JB2PageNewGenericRegion(file, 64, 32, cJB2_Coder_MMR, 0, &region, message), 0);
    EXPECT_EQ(JB2GenericHeaderLength(region, &headerLength), 0);
    EXPECT_EQ(headerLength, 18u);
    JB2SegmentRelease(&region);
    EXPECT_EQ(JB2PageNewGenericRegion(file, 64, 32, 30, 0, &region, message), cJB2_Error_Internal);
    EXPECT_EQ(JB2PageNewGenericRegion(file, 0, 32, cJB2_Coder_MMR, 0, &region, message), cJB2_Error_Internal);
    JB2FileRelease(&file);
}

TEST_F(FileFixture, PdfPageSizesFollowTheResolution)
{
    struct Case {
        uint32_t width, height, xResolution, yResolution;
        const char* mediaBox;
    };
    const Case cases[] = {
        {2480, 3508, 11811, 11811, "/MediaBox   [0 0 595.20 841.92]"},
        {200, 100, 0, 11811, "/MediaBox   [0 0 200.00 100.00]"},
        {200, 100, 3937, 7874, "/MediaBox   [0 0 144.00 36.00]"},
    };
    for (const auto& c : cases) {
        JB2File* file = BlankPage(c.width, c.height, c.xResolution, c.yResolution);
        ASSERT_EQ(JB2PageAddNewSegment(file, cJB2_Segment_End_Of_Page, 1, message), 0);
        JB2Test::Target pdf;
        ASSERT_EQ(JB2FileExportDocument(file, JB2Test::Target::Write, &pdf, cJB2_Export_Format_PDF, message), 0);
        const std::string text(pdf.bytes.begin(), pdf.bytes.end());
        EXPECT_NE(text.find(c.mediaBox), std::string::npos) << text;
        EXPECT_NE(text.find("/Width            " + std::to_string(c.width) + "\n"), std::string::npos);
        JB2FileRelease(&file);
    }

    // A document without pages: the header is written, then the page tree fails.
    JB2File* empty = nullptr;
    ASSERT_EQ(JB2FileCreate(&empty, memory, message), 0);
    JB2FileSetOrganisation(empty, cJB2_Organisation_Sequential);
    JB2Test::Target pdf;
    EXPECT_EQ(JB2FileExportDocument(empty, JB2Test::Target::Write, &pdf, cJB2_Export_Format_PDF, message),
              cJB2_Error_Internal);
    EXPECT_EQ(std::string(pdf.bytes.begin(), pdf.bytes.begin() + 8), "%PDF-1.4");
    // A short write stops the PDF with -12.
    JB2File* file = BlankPage(10, 10, 0, 0);
    JB2Test::Target shortTarget;
    shortTarget.failAfter = 100;
    EXPECT_EQ(JB2FileExportDocument(file, JB2Test::Target::Write, &shortTarget, cJB2_Export_Format_PDF, message),
              cJB2_Error_Write_Failure);
    JB2FileRelease(&file);
    JB2FileRelease(&empty);
}

TEST_F(FileFixture, PagesWithoutEndOfPageStillDecode)
{
    // Drop the end of page segment: the page runs to the end of file.
    JB2File* file = Read(JB2Test::DataFile("small-64x48.generic.jb2"));
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->segments->items[2]->type, cJB2_Segment_End_Of_Page);
    ASSERT_EQ(JB2SegmentArrayRemove(file->segments, 2), 0);
    file->segments->items[2]->pageAssociation = 1;  // the end of file, wrongly on the page
    const auto bytes = Write(file);
    JB2FileRelease(&file);
    JB2Test::Document document(bytes);
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    const auto picture = document.Decode(0, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(picture, JB2Test::ParsePbm(JB2Test::DataFile("small-64x48.expected.pbm"))[0]);
    EXPECT_TRUE(document.messages.HasOfType(11, "End of file segment found before end of page for page 0!"));
}

namespace {

// An embedded stream of `count` extension segments numbered downwards, each
// referring to a segment that does not exist.
std::vector<uint8_t> ManySegments(uint32_t count)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(count) * 14);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t number = count - i;
        const uint8_t header[] = {static_cast<uint8_t>(number >> 24), static_cast<uint8_t>(number >> 16),
                                  static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number), 62, 0x20};
        bytes.insert(bytes.end(), header, header + 6);
        const uint32_t width = number <= 256 ? 1 : number <= 65536 ? 2 : 4;
        for (uint32_t b = 0; b < width; ++b)
            bytes.push_back(0xFF);
        const uint8_t rest[] = {1, 0, 0, 0, 0};
        bytes.insert(bytes.end(), rest, rest + 5);
    }
    return bytes;
}

}  // namespace

TEST_F(FileFixture, ManySegmentsAreReadInLinearTimeUpToACeiling)
{
    // References are resolved through an index: 100,000 unordered segments
    // with unresolvable references read at once, not in quadratic time.
    source.bytes = ManySegments(100000);
    JB2File* file = nullptr;
    ASSERT_EQ(JB2FileRead(&file, memory, readData, nullptr), 0);
    EXPECT_EQ(file->segments->count, 100000u);
    JB2SegmentHeader* found = nullptr;
    EXPECT_EQ(JB2FileFindSegment(file, 5, &found, nullptr), 0);
    EXPECT_EQ(found, file->segments->items[99995]);
    JB2FileRelease(&file);

    source.bytes = ManySegments(kJB2MaxSegments + 1);
    EXPECT_EQ(JB2FileRead(&file, memory, readData, message), cJB2_Error_Invalid_File);
    EXPECT_TRUE(messages.HasOfType(91, "Invalid file -- more than 262144 segments!"));
}

TEST_F(FileFixture, PdfOfManyPagesIsWrittenInOnePassOverTheSegments)
{
    // 20,000 pages of page information only, their segments in reverse page
    // order: looking each page up in the whole list would be quadratic.
    const uint32_t pages = 20000;
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < pages; ++i) {
        const uint32_t page = pages - i;
        const uint8_t header[] = {static_cast<uint8_t>(i >> 24), static_cast<uint8_t>(i >> 16),
                                  static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i), 0x40 | 48, 0x00,
                                  static_cast<uint8_t>(page >> 24), static_cast<uint8_t>(page >> 16),
                                  static_cast<uint8_t>(page >> 8), static_cast<uint8_t>(page), 0, 0, 0, 19};
        bytes.insert(bytes.end(), header, header + sizeof header);
        const uint8_t information[19] = {0, 0, 0, 8, 0, 0, 0, 4};
        bytes.insert(bytes.end(), information, information + 19);
    }
    source.bytes = bytes;
    JB2File* file = nullptr;
    ASSERT_EQ(JB2FileRead(&file, memory, readData, nullptr), 0);
    EXPECT_EQ(file->pages, pages);
    JB2Test::Target pdf;
    ASSERT_EQ(JB2FileExportDocument(file, JB2Test::Target::Write, &pdf, cJB2_Export_Format_PDF, nullptr), 0);
    const std::string text(pdf.bytes.begin(), pdf.bytes.end());
    EXPECT_NE(text.find("/Count      20000\n"), std::string::npos);
    EXPECT_NE(text.find("xref\n0 80003\n"), std::string::npos);
    JB2FileRelease(&file);
}
