// Page decompression: generic-region files against jbig2dec, rectangles of
// a page, the output callback's say, and pages the codec cannot decode yet.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/jbig2codec/JB2DocumentFixture.h"

using namespace JB2Test;

namespace {

const char* const kGenericFiles[] = {
    "black-200x100.generic.jb2", "white-200x100.tpgd.jb2", "small-64x48.generic.jb2",   "small-64x48.tpgd.jb2",
    "text-301x157.generic.jb2",  "text-301x157.tpgd.jb2",  "page-1003x700.generic.jb2", "page-1003x700.tpgd.jb2",
};

std::string ExpectedName(const std::string& file)
{
    return file.substr(0, file.find('.')) + ".expected.pbm";
}

// The pixels [left, right) x [top, bottom) of a picture, packed.
Picture Crop(const Picture& picture, uint32_t left, uint32_t right, uint32_t top, uint32_t bottom)
{
    Picture crop;
    crop.width = right - left;
    crop.height = bottom - top;
    const uint32_t stride = (picture.width + 7) / 8;
    const uint32_t cropStride = (crop.width + 7) / 8;
    crop.rows.assign(static_cast<size_t>(cropStride) * crop.height, 0);
    for (uint32_t y = top; y < bottom; ++y)
        for (uint32_t x = left; x < right; ++x)
            if (picture.rows[y * stride + x / 8] & (0x80 >> (x % 8)))
                crop.rows[(y - top) * cropStride + (x - left) / 8] |= static_cast<uint8_t>(0x80 >> ((x - left) % 8));
    return crop;
}

}  // namespace

TEST(JB2Decode, GenericRegionFilesGiveExactlyJbig2decsPixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (const char* name : kGenericFiles) {
        const auto bytes = DataFile(name);
        const auto reference = Jbig2dec(bytes);
        ASSERT_EQ(reference.size(), 1u) << name;
        EXPECT_EQ(reference[0], ParsePbm(DataFile(ExpectedName(name)))[0]) << name;
        Document document(bytes);
        ASSERT_EQ(document.started, 0) << name;
        JB2_Error status = -1;
        const Picture decoded = document.Decode(0, &status);
        ASSERT_EQ(status, 0) << name << "\n" << document.messages.All();
        EXPECT_EQ(decoded, reference[0]) << name;
    }
    // The embedded organisation, as a PDF carries it.
    const auto stream = DataFile("embedded-generic-small.0000");
    Document document(stream);
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    EXPECT_EQ(document.Decode(0, &status), Jbig2dec(stream, true).at(0));
    EXPECT_EQ(status, 0);
}

TEST(JB2Decode, AShortReadFailsThatCallAndTheNextDecodesRight)
{
    for (const char* name : {"page-1003x700.generic.jb2", "page-1003x700.tpgd.jb2"}) {
        const auto bytes = DataFile(name);
        const Picture expected = ParsePbm(DataFile(ExpectedName(name)))[0];
        for (const uint64_t at : {bytes.size() / 3, bytes.size() / 2, bytes.size() * 4 / 5}) {
            Document document(bytes);
            ASSERT_EQ(document.started, 0) << name;
            document.source.shortOnceAt = at;
            JB2_Error status = 0;
            document.Decode(0, &status);
            EXPECT_EQ(status, cJB2_Error_Read_Failure) << name << " " << at;
            EXPECT_TRUE(document.messages.HasOfType(91, "Unable to read generic region segment data!")) << name;
            EXPECT_EQ(document.Decode(0, &status), expected) << name << " " << at;
            EXPECT_EQ(status, 0) << name << " " << at;
        }
    }
}

TEST(JB2Decode, RectanglesAreCutFromTheRenderedPage)
{
    Document document(DataFile("text-301x157.generic.jb2"));
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    const Picture page = document.Decode(0, &status);
    ASSERT_EQ(status, 0);
    const struct {
        uint32_t left, right, top, bottom;
    } rectangles[] = {
        {3, 11, 0, 157},      {0, 301, 10, 20}, {8, 16, 5, 6},    {1, 300, 0, 157},
        {295, 301, 100, 157}, {300, 301, 0, 1}, {7, 9, 156, 157}, {0, 1, 0, 157},
    };
    for (const auto& r : rectangles) {
        Document::Rows rows;
        ASSERT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, r.left, r.right, r.top, r.bottom,
                                               Document::Collect, &rows),
                  0);
        Picture got;
        got.width = rows.width;
        got.height = static_cast<uint32_t>(rows.rows.size());
        for (const auto& row : rows.rows)
            got.rows.insert(got.rows.end(), row.begin(), row.end());
        EXPECT_EQ(got, Crop(page, r.left, r.right, r.top, r.bottom)) << r.left << " " << r.right;
        EXPECT_EQ(rows.numbers.front(), 0u);
        EXPECT_EQ(rows.numbers.back(), r.bottom - r.top - 1);
    }
}

TEST(JB2Decode, RectangleOfAPageAsWideAsAWidthCanSay)
{
    // small-64x48.generic.jb2 with the page made 2^32 - 1 pixels wide and one
    // row high: its buffer just meets the limit, and the byte count of a
    // rectangle almost as wide must not wrap.
    auto bytes = DataFile("small-64x48.generic.jb2");
    Picture original;
    {
        Document narrow(bytes);
        JB2_Error status = -1;
        original = narrow.Decode(0, &status);
        ASSERT_EQ(status, 0);
    }
    const uint8_t size[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1};
    std::copy(size, size + 8, bytes.begin() + 24);
    Document document(bytes);
    ASSERT_EQ(document.started, 0);
    ASSERT_EQ(JB2_Document_Set_Page(document.handle, 0), 0);
    struct Row {
        uint32_t width = 0;
        uint32_t count = 0;
        uint8_t first = 0;
    } row;
    auto take = [](const uint8_t* line, uint32_t, uint32_t width, uint32_t, void* user) -> JB2_Error {
        auto* got = static_cast<Row*>(user);
        got->width = width;
        got->first = line[0];
        ++got->count;
        return 0;
    };
    ASSERT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, 1, 0xFFFFFFFFu, 0, 1, take, &row), 0);
    EXPECT_EQ(row.count, 1u);
    EXPECT_EQ(row.width, 0xFFFFFFFEu);
    EXPECT_EQ(row.first, static_cast<uint8_t>((original.rows[0] << 1) | (original.rows[1] >> 7)));
}

TEST(JB2Decode, AFailedPageBufferIsReportedAsAnAllocationFailure)
{
    // Once a page was rendered, its data and page information are read: after
    // another page was made current and this one again, the next two
    // allocations are the page buffer and its line buffer.
    Document document(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(document.started, 0);
    Document::Rows rows;
    ASSERT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, 0, 0, 0, 0, Document::Collect, &rows), 0);
    const struct {
        uint64_t fail;
        const char* text;
    } cases[] = {
        {1, "Unable to allocate decompression buffer!"},
        {2, "Unable to allocate decompression line buffer!"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(JB2_Document_Set_Page(document.handle, 1), 0);
        ASSERT_EQ(JB2_Document_Set_Page(document.handle, 0), 0);
        rows.rows.clear();
        document.allocator.failAt = document.allocator.allocations + c.fail;
        EXPECT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, 0, 0, 0, 0, Document::Collect, &rows),
                  cJB2_Error_Allocation_Failure)
            << c.text;
        EXPECT_TRUE(document.messages.HasOfType(91, c.text)) << c.text;
        EXPECT_TRUE(rows.rows.empty());
        document.allocator.failAt = 0;
    }
}

TEST(JB2Decode, RequestsAreChecked)
{
    Document document(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(document.started, 0);
    struct Case {
        uint32_t up, down, left, right, top, bottom;
        JB2_Error status;
        const char* text;
    };
    const Case cases[] = {
        {2, 2, 0, 0, 0, 0, 0, nullptr},
        {1, 2, 0, 0, 0, 0, cJB2_Error_Not_Yet_Supported, "Scaling is not currently supported during decompression!"},
        {1, 0, 0, 0, 0, 0, cJB2_Error_Not_Yet_Supported, "Scaling down factor may not be set to 0!"},
        {0, 1, 0, 0, 0, 0, cJB2_Error_Not_Yet_Supported, "Scaling up factor may not be set to 0!"},
        {1, 1, 0, 0, 0, 5, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!"},
        {1, 1, 5, 5, 0, 5, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!"},
        {1, 1, 0, 65, 0, 5, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!"},
        {1, 1, 0, 64, 5, 49, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!"},
        {1, 1, 0, 64, 5, 5, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!"},
    };
    for (const auto& c : cases) {
        document.messages.pieces.clear();
        Document::Rows rows;
        EXPECT_EQ(JB2_Document_Decompress_Page(document.handle, c.up, c.down, c.left, c.right, c.top, c.bottom,
                                               Document::Collect, &rows),
                  c.status);
        if (c.text) {
            EXPECT_TRUE(document.messages.HasOfType(91, c.text)) << c.text << document.messages.All();
            EXPECT_TRUE(rows.rows.empty());
        } else {
            EXPECT_EQ(rows.rows.size(), 48u);
        }
    }
    // The output callback stops the delivery with its own value.
    Document::Rows rows;
    rows.stopAt = 5;
    EXPECT_EQ(JB2_Document_Decompress_Page(document.handle, 1, 1, 0, 0, 0, 0, Document::Collect, &rows),
              cJB2_Error_Output_Failure);
    EXPECT_EQ(rows.rows.size(), 5u);
    EXPECT_TRUE(document.messages.HasOfType(91, "Error code -23 returned by output callback function!"));
}

TEST(JB2Decode, DefaultPixelOneStartsTheBufferBlack)
{
    // small-64x48.generic.jb2: the page information flags byte follows the
    // file header (13), the segment header (11) and four 32-bit fields.
    auto bytes = DataFile("small-64x48.generic.jb2");
    const size_t flags = 13 + 11 + 16;
    Document plain(bytes);
    JB2_Error status = -1;
    const Picture original = plain.Decode(0, &status);
    ASSERT_EQ(status, 0);
    bytes[flags] |= 0x04;
    Document black(bytes);
    ASSERT_EQ(black.started, 0);
    const Picture decoded = black.Decode(0, &status);
    ASSERT_EQ(status, 0);
    // The region is drawn over the black page with its own operator: where
    // it is black the page is too, whatever the operator.
    ASSERT_EQ(decoded.rows.size(), original.rows.size());
    for (size_t i = 0; i < original.rows.size(); ++i)
        EXPECT_EQ(decoded.rows[i] & original.rows[i], original.rows[i]) << i;
    EXPECT_NE(decoded, original);
}

TEST(JB2Decode, RegionsFarLargerThanTheirPageAreRefused)
{
    // A generic region 786,733 pixels wide on a page 301 wide: every pixel
    // of its rows would have to be decoded for nothing.
    Document document(ZAVTest::ReadBytes(ZAVTest::DataPath("fuzz/jbig2codec_document_fuzzer/wide-region-timeout")));
    ASSERT_EQ(document.started, 0);
    JB2_Error status = 0;
    document.Decode(0, &status);
    EXPECT_EQ(status, cJB2_Error_Invalid_Segment_Data);
    EXPECT_TRUE(document.messages.HasOfType(91, "Region of 786733 x 157 pixels is too large for its page!"))
        << document.messages.All();
}
