// The exported document functions as a caller meets them: handles and
// their checks, allocation failures, the export list of the shared
// library, page insertion, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "jbig2codec/document/JB2Document.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"

using namespace JB2Test;

TEST(JB2Interface, SharedLibraryExportsExactlyTheCodecFunctions)
{
    const std::string library = ZAVTest::BinPath("libkvd_jb2.so");
    ASSERT_TRUE(ZAVTest::FileExists(library));
    const auto listing = ZAVTest::Run("nm -D --defined-only " + ZAVTest::ShellQuote(library));
    ASSERT_EQ(listing.exitCode, 0) << listing.output;
    std::set<std::string> exported;
    std::istringstream lines(listing.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, kind, name;
        fields >> address >> kind >> name;
        if (kind == "T" || kind == "D" || kind == "B" || kind == "W" || kind == "V" || kind == "R")
            exported.insert(name);
    }
    const std::set<std::string> expected = {"JB2_Document_Start",
                                            "JB2_Document_Set_Page",
                                            "JB2_Document_Get_Property",
                                            "JB2_Document_Decompress_Page",
                                            "JB2_Document_Export_Document",
                                            "JB2_Document_Export_Page",
                                            "JB2_Document_Insert_Page",
                                            "JB2_Document_End",
                                            "JB2_Compress_Start",
                                            "JB2_Compress_Set_Property",
                                            "JB2_Compress_Get_Property",
                                            "JB2_Compress_Line",
                                            "JB2_Compress_End"};
    std::set<std::string> ours;
    for (const auto& name : exported)
        if (name.rfind("_", 0) != 0 || name.rfind("JB2_", 0) == 0)
            ours.insert(name);
    // Sanitizer builds add their own hooks (names starting with "__").
    EXPECT_EQ(ours, expected) << listing.output;
    const auto needed = ZAVTest::Run("objdump -p " + ZAVTest::ShellQuote(library) + " | grep NEEDED");
    EXPECT_EQ(needed.output.find("libzav"), std::string::npos) << needed.output;
}

TEST(JB2Interface, HandlesAreCheckedBeforeUse)
{
    Document document(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(document.started, 0);
    uint32_t value = 0;
    Target target;
    EXPECT_EQ(JB2_Document_Get_Property(nullptr, cJB2_Prop_Width, &value), cJB2_Error_Invalid_Handle);
    EXPECT_EQ(JB2_Document_Set_Page(nullptr, 0), cJB2_Error_Invalid_Handle);
    EXPECT_EQ(JB2_Document_Export_Document(nullptr, Target::Write, &target, 10), cJB2_Error_Invalid_Handle);
    // Any other first word: a compression handle's magic, or garbage.
    for (uint32_t magic : {0x6A636D70u, 0u, 0x6A646564u}) {
        uint32_t fake[16] = {magic};
        auto handle = reinterpret_cast<JB2_Handle_Document>(fake);
        EXPECT_EQ(JB2_Document_Get_Property(handle, cJB2_Prop_Width, &value), cJB2_Error_Invalid_Handle);
        EXPECT_EQ(JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, Document::Collect, nullptr),
                  cJB2_Error_Invalid_Handle);
        EXPECT_EQ(JB2_Document_Export_Page(handle, 0, Target::Write, &target, 10), cJB2_Error_Invalid_Handle);
        EXPECT_EQ(JB2_Document_Insert_Page(document.handle, 0, handle, 0), cJB2_Error_Invalid_Handle);
        EXPECT_EQ(JB2_Document_End(&handle), cJB2_Error_Invalid_Handle);
    }
    EXPECT_EQ(JB2_Document_End(nullptr), -500);
    JB2_Handle_Document none = nullptr;
    EXPECT_EQ(JB2_Document_End(&none), cJB2_Error_Invalid_Handle);

    EXPECT_EQ(JB2_Document_Get_Property(document.handle, 99, &value), cJB2_Error_Invalid_Property_Key);
    EXPECT_EQ(JB2_Document_Get_Property(document.handle, cJB2_Prop_Width, nullptr), cJB2_Error_Invalid_Pointer);
    EXPECT_TRUE(document.messages.HasOfType(91, "Null pointer passed to JB2_Document_Get_Property!"));
    EXPECT_EQ(JB2_Document_Set_Page(document.handle, 1), cJB2_Error_Invalid_Index);
    EXPECT_EQ(JB2_Document_Export_Document(document.handle, nullptr, nullptr, 10), cJB2_Error_Invalid_Pointer);
    EXPECT_TRUE(document.messages.HasOfType(91, "Invalid write callback passed to JB2_Document_Export_Document!"));
    EXPECT_EQ(JB2_Document_Export_Page(document.handle, 0, nullptr, nullptr, 10), cJB2_Error_Invalid_Pointer);
    EXPECT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, 0, 0, 0, 0, nullptr, nullptr),
              cJB2_Error_Invalid_Pointer);
    EXPECT_TRUE(document.messages.HasOfType(91, "Invalid output callback passed to JB2_Document_Decompress_Page!"));
    EXPECT_EQ(document.Property(cJB2_Prop_X_Resolution), 0u);
}

TEST(JB2Interface, StartChecksItsArgumentsInOrder)
{
    Allocator allocator;
    Source source;
    JB2_Handle_Document handle = reinterpret_cast<JB2_Handle_Document>(&allocator);
    EXPECT_EQ(JB2_Document_Start(nullptr, Allocator::Alloc, &allocator, Allocator::Free, &allocator, Source::Read,
                                 &source, nullptr, nullptr),
              cJB2_Error_Invalid_Handle);
    EXPECT_EQ(JB2_Document_Start(&handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              cJB2_Error_Callback_Allocation);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(
        JB2_Document_Start(&handle, Allocator::Alloc, &allocator, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
        cJB2_Error_Callback_No_Free);
    EXPECT_EQ(JB2_Document_Start(&handle, Allocator::Alloc, &allocator, Allocator::Free, &allocator, nullptr, nullptr,
                                 nullptr, nullptr),
              cJB2_Error_Callback_Read);
    EXPECT_EQ(allocator.allocations, 0u);
}

TEST(JB2Interface, EveryAllocationFailureAtStartIsCleanedUp)
{
    const auto bytes = DataFile("twopage.symbol.jb2");
    uint64_t needed = 0;
    {
        Document document(bytes);
        ASSERT_EQ(document.started, 0);
        needed = document.allocator.allocations;
    }
    for (uint64_t fail = 1; fail <= needed; ++fail) {
        Allocator allocator;
        allocator.failAt = fail;
        Messages messages;
        Source source;
        source.bytes = bytes;
        JB2_Handle_Document handle = nullptr;
        const JB2_Error status = JB2_Document_Start(&handle, Allocator::Alloc, &allocator, Allocator::Free, &allocator,
                                                    Source::Read, &source, Messages::Collect, &messages);
        EXPECT_EQ(status, cJB2_Error_Allocation_Failure) << fail;
        EXPECT_EQ(handle, nullptr) << fail;
        EXPECT_EQ(allocator.Live(), 0u) << fail;
        if (fail == 2) {
            EXPECT_TRUE(messages.HasOfType(91, "Unable to create message object"));
        }
        if (fail == 3) {
            EXPECT_TRUE(messages.HasOfType(91, "Unable to allocate document handle!"));
        }
    }
}

TEST(JB2Interface, WithoutAMessageCallbackNothingIsDelivered)
{
    Document document(DataFile("small-64x48.generic.jb2"), false);
    ASSERT_EQ(document.started, 0);
    EXPECT_EQ(JB2_Document_Get_Property(document.handle, cJB2_Prop_Width, nullptr), cJB2_Error_Invalid_Pointer);
    EXPECT_TRUE(document.messages.pieces.empty());
}

namespace {

std::vector<Picture> ExportAndDecode(Document& document)
{
    JB2_Error status = -1;
    const auto exported = document.Export(cJB2_Export_Format_JBIG2_File, &status);
    EXPECT_EQ(status, 0) << document.messages.All();
    return Jbig2dec(exported);
}

}  // namespace

TEST(JB2Interface, InsertedPagesTakeTheirPlaceInPageOrder)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const Picture small = ParsePbm(DataFile("small-64x48.expected.pbm"))[0];
    const Picture text = ParsePbm(DataFile("text-301x157.expected.pbm"))[0];
    const auto twopage = ParsePbm(DataFile("twopage.symbol.expected.pbm"));
    Document source(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(source.started, 0);

    // At the front: every existing page moves up by one.
    Document front(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(JB2_Document_Insert_Page(front.handle, 0, source.handle, 1), 0) << front.messages.All();
    EXPECT_EQ(front.Property(cJB2_Prop_Number_Of_Pages), 2u);
    EXPECT_EQ(front.Property(cJB2_Prop_Width), small.width);  // the current page is still the same page
    ASSERT_EQ(JB2_Document_Set_Page(front.handle, 0), 0);
    EXPECT_EQ(front.Property(cJB2_Prop_Width), twopage[1].width);
    EXPECT_EQ(front.Property(cJB2_Prop_Height), twopage[1].height);
    // Exported, the pages stand in page order: a decoder that shows pages as
    // the file completes them shows the new page first.
    EXPECT_EQ(ExportAndDecode(front), (std::vector<Picture>{twopage[1], small}));

    // At the end, twice, and from a document with its own globals.
    Document back(DataFile("text-301x157.generic.jb2"));
    ASSERT_EQ(JB2_Document_Insert_Page(back.handle, 1, source.handle, 0), 0);
    ASSERT_EQ(JB2_Document_Insert_Page(back.handle, 2, front.handle, 1), 0);
    EXPECT_EQ(back.Property(cJB2_Prop_Number_Of_Pages), 3u);
    EXPECT_EQ(ExportAndDecode(back), (std::vector<Picture>{text, twopage[0], small}));
    for (uint32_t page = 0; page < 3; ++page) {
        ASSERT_EQ(JB2_Document_Set_Page(back.handle, page), 0);
        EXPECT_EQ(back.Property(cJB2_Prop_Width),
                  (std::vector<uint32_t>{text.width, twopage[0].width, small.width})[page]);
    }

    EXPECT_EQ(JB2_Document_Insert_Page(back.handle, 4, source.handle, 0), cJB2_Error_Invalid_Index);
    EXPECT_TRUE(back.messages.HasOfType(91, "Invalid destination page index!"));
    EXPECT_EQ(JB2_Document_Insert_Page(back.handle, 0, source.handle, 2), cJB2_Error_Invalid_Index);
    EXPECT_TRUE(back.messages.HasOfType(91, "Invalid source page index!"));
    EXPECT_TRUE(back.messages.HasOfType(91, "Failure inserting page into document!"));
}

TEST(JB2Interface, APageInsertedAtTheFrontIsExportedFirstForEveryReader)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const Picture small = ParsePbm(DataFile("small-64x48.expected.pbm"))[0];
    const Picture text = ParsePbm(DataFile("text-301x157.expected.pbm"))[0];
    const Picture black = ParsePbm(DataFile("black-200x100.expected.pbm"))[0];
    Document second(DataFile("text-301x157.generic.jb2"));
    Document first(DataFile("black-200x100.generic.jb2"));
    Document document(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(JB2_Document_Insert_Page(document.handle, 1, second.handle, 0), 0);
    ASSERT_EQ(JB2_Document_Insert_Page(document.handle, 0, first.handle, 0), 0);
    const std::vector<Picture> expected = {black, small, text};
    for (uint32_t organisation : {0u, 1u}) {
        ZAV::JB2File* file = document.handle->file;
        file->organisation = organisation;
        JB2_Error status = -1;
        const auto exported = document.Export(cJB2_Export_Format_JBIG2_File, &status);
        ASSERT_EQ(status, 0) << document.messages.All();
        EXPECT_EQ(Jbig2dec(exported), expected) << organisation;
        Document reread(exported);
        ASSERT_EQ(reread.started, 0);
        for (uint32_t page = 0; page < expected.size(); ++page)
            EXPECT_EQ(reread.Decode(page, &status), expected[page]) << organisation << " " << page;
    }
}

TEST(JB2Interface, AFailedInsertionLeavesTheDestinationAsItWas)
{
    Document source(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(source.started, 0);
    Document destination(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(destination.started, 0);
    JB2_Error status = -1;
    const auto before = destination.Export(cJB2_Export_Format_JBIG2_File, &status);
    ASSERT_EQ(status, 0);
    bool inserted = false;
    for (uint64_t fail = 1; fail < 200 && !inserted; ++fail) {
        destination.allocator.failAt = destination.allocator.allocations + fail;
        status = JB2_Document_Insert_Page(destination.handle, 1, source.handle, 1);
        destination.allocator.failAt = 0;
        if (status == 0) {
            inserted = true;
            break;
        }
        EXPECT_EQ(status, cJB2_Error_Allocation_Failure) << fail;
        JB2_Error exported = -1;
        EXPECT_EQ(destination.Export(cJB2_Export_Format_JBIG2_File, &exported), before) << fail;
        EXPECT_EQ(destination.Property(cJB2_Prop_Number_Of_Pages), 2u);
    }
    EXPECT_TRUE(inserted);
    EXPECT_EQ(destination.Property(cJB2_Prop_Number_Of_Pages), 3u);
}

namespace {

// The bytes of a file with one segment's data length field replaced.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with)
{
    std::copy(with.begin(), with.end(), bytes.begin() + at);
    return bytes;
}

}  // namespace

// Cut files: every prefix through the headers and first segments, then
// every few bytes, where each cut decodes whole pages again.
constexpr size_t kEveryPrefixUpTo = 512;
constexpr size_t kPrefixStepAfter = 5;

class DamagedFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedFiles, GiveStatusCodesNeverACrash)
{
    // Opened or refused, decoded or refused, never a crash or a leak (the
    // sanitizers watch).
    const auto bytes = DataFile(GetParam());
    for (size_t length = 0; length < bytes.size(); length += length < kEveryPrefixUpTo ? 1 : kPrefixStepAfter) {
        Document document(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
        if (document.started != 0) {
            EXPECT_LT(document.started, 0);
            EXPECT_EQ(document.handle, nullptr);
            continue;
        }
        uint32_t pages = 0;
        JB2_Document_Get_Property(document.handle, cJB2_Prop_Number_Of_Pages, &pages);
        for (uint32_t page = 0; page < pages; ++page) {
            JB2_Error status = 0;
            document.Decode(page, &status);
            EXPECT_LE(status, 0);
            Target target;
            JB2_Document_Export_Page(document.handle, page, Target::Write, &target, cJB2_Export_Format_PDF);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(JB2Interface, DamagedFiles,
                         ::testing::Values("small-64x48.generic.jb2", "twopage.symbol.jb2",
                                           "embedded-generic-small.0000"));

TEST(JB2Interface, AbsurdPageSizesAreRefusedBeforeAllocation)
{
    // small-64x48.generic.jb2: file header (13 bytes), then the page
    // information segment's header (11 bytes) and its width and height.
    const auto bytes = DataFile("small-64x48.generic.jb2");
    ASSERT_EQ(bytes[13 + 4], 48);  // the page information segment
    Document document(Patched(bytes, 24, {0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF}));
    ASSERT_EQ(document.started, 0);
    EXPECT_EQ(document.Property(cJB2_Prop_Width), 0x7FFFFFFFu);
    JB2_Error status = 0;
    document.Decode(0, &status);
    EXPECT_EQ(status, cJB2_Error_Invalid_Segment_Data);
    EXPECT_TRUE(document.messages.HasOfType(91, "Page of 2147483647 x 2147483647 pixels is too large to decompress!"))
        << document.messages.All();
    EXPECT_LT(document.allocator.largest, 1u << 16);
}
