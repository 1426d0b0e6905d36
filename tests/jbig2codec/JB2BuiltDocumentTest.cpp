// A document built in memory, as the compressor builds one: page
// information, a coded generic region, end of page and end of file, handed
// out as a document handle and exported.
#include <gtest/gtest.h>

#include "jbig2codec/document/JB2Document.h"
#include "jbig2codec/generic/JB2GenericRegionDecoder.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

struct BuiltFixture : SegmentFixture {
    // A one-page document of the picture, its generic region coded by `coder`.
    JB2File* Build(const JB2Test::Picture& picture, uint32_t coder)
    {
        JB2File* file = nullptr;
        EXPECT_EQ(JB2FileCreate(&file, memory, message), 0);
        JB2FileSetOrganisation(file, cJB2_Organisation_Sequential);
        JB2SegmentHeader* information = Make(48, {}, 0);
        JB2SegmentSetPageAssociation(information, 1);
        EXPECT_EQ(JB2PageInfoSetWidth(information, picture.width), 0);
        EXPECT_EQ(JB2PageInfoSetHeight(information, picture.height), 0);
        EXPECT_EQ(JB2PageInfoSetXResolution(information, 11811), 0);
        EXPECT_EQ(JB2PageInfoSetYResolution(information, 11811), 0);
        EXPECT_EQ(JB2PageInfoSetFlags(information, 0x51), 0);
        EXPECT_EQ(JB2PageInfoSetStriping(information, 0), 0);
        EXPECT_EQ(JB2FileAddSegment(file, &information, message), 0);

        JB2SegmentHeader* region = nullptr;
        EXPECT_EQ(JB2PageNewGenericRegion(file, picture.width, picture.height, coder, 0, &region, message), 0);
        JB2GenericRegionEncoder* encoder = nullptr;
        EXPECT_EQ(Generic_Region_Encoder_Start(&encoder, memory, region, message), 0);
        const uint32_t stride = (picture.width + 7) / 8;
        for (uint32_t row = 0; row < picture.height; ++row)
            EXPECT_EQ(Generic_Region_Encoder_Line(encoder, picture.rows.data() + row * stride), 0);
        EXPECT_EQ(Generic_Region_Encoder_End(&encoder, memory), 0);
        JB2SegmentRelease(&region);
        EXPECT_EQ(JB2PageAddNewSegment(file, cJB2_Segment_End_Of_Page, 1, message), 0);
        EXPECT_EQ(JB2PageAddNewSegment(file, cJB2_Segment_End_Of_File, 0, message), 0);
        return file;
    }
};

}  // namespace

TEST_F(BuiltFixture, BuiltDocumentsExportAndDecodeEverywhere)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    const JB2Test::Picture picture = JB2Test::ParsePbm(JB2Test::DataFile("text-301x157.expected.pbm"))[0];
    for (uint32_t coder : {cJB2_Coder_Arithmetic, cJB2_Coder_MMR}) {
        JB2File* file = Build(picture, coder);
        JB2_Handle_Document handle = nullptr;
        ASSERT_EQ(JB2DocumentHandleCreate(&handle, memory, message, file), 0);
        JB2FileRelease(&file);  // the handle holds it now

        JB2Test::Target jbig2;
        ASSERT_EQ(JB2_Document_Export_Document(handle, JB2Test::Target::Write, &jbig2, cJB2_Export_Format_JBIG2_File),
                  0);
        const std::vector<uint8_t> header = {0x97, 0x4A, 0x42, 0x32, 0x0D, 0x0A, 0x1A, 0x0A, 0x01, 0, 0, 0, 1};
        EXPECT_TRUE(std::equal(header.begin(), header.end(), jbig2.bytes.begin()));
        EXPECT_EQ(JB2Test::Jbig2dec(jbig2.bytes), std::vector<JB2Test::Picture>{picture}) << coder;

        JB2Test::Target stream;
        ASSERT_EQ(
            JB2_Document_Export_Document(handle, JB2Test::Target::Write, &stream, cJB2_Export_Format_Stream_For_PDF),
            0);
        EXPECT_EQ(JB2Test::Jbig2dec(stream.bytes, true), std::vector<JB2Test::Picture>{picture}) << coder;

        JB2Test::Document::Rows rows;
        ASSERT_EQ(JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, JB2Test::Document::Collect, &rows), 0);
        JB2Test::Picture decoded;
        decoded.width = rows.width;
        decoded.height = static_cast<uint32_t>(rows.rows.size());
        for (const auto& row : rows.rows)
            decoded.rows.insert(decoded.rows.end(), row.begin(), row.end());
        EXPECT_EQ(decoded, picture) << coder;

        JB2Test::Target pdf;
        ASSERT_EQ(JB2_Document_Export_Document(handle, JB2Test::Target::Write, &pdf, cJB2_Export_Format_PDF), 0);
        ZAVTest::TempDir dir;
        ZAVTest::WriteBytes(dir.File("built.pdf"), pdf.bytes);
        const auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(dir.File("built.pdf")));
        EXPECT_EQ(check.exitCode, 0) << check.output;
        const std::string text(pdf.bytes.begin(), pdf.bytes.end());
        EXPECT_NE(text.find("/MediaBox   [0 0 72.24 37.68]"), std::string::npos);

        ASSERT_EQ(JB2_Document_End(&handle), 0);
    }
}

TEST_F(BuiltFixture, RefinementRegionsAreSkippedAndTheRestIsDrawn)
{
    JB2Test::Picture picture;
    picture.width = 16;
    picture.height = 4;
    picture.rows = {0xF0, 0x0F, 0x81, 0x18, 0x00, 0xFF, 0xAA, 0x55};
    JB2File* file = Build(picture, cJB2_Coder_MMR);
    // A refinement region after the generic one, before the end of page.
    JB2SegmentHeader* refinement = Make(cJB2_Segment_Immediate_Refinement_Region, {}, 9);
    JB2SegmentSetPageAssociation(refinement, 1);
    ASSERT_EQ(JB2RegionSetWidth(refinement, 8), 0);
    ASSERT_EQ(JB2RegionSetHeight(refinement, 4), 0);
    ASSERT_EQ(JB2RegionSetX(refinement, 0), 0);
    ASSERT_EQ(JB2RegionSetY(refinement, 0), 0);
    ASSERT_EQ(JB2RegionSetFlags(refinement, 0), 0);
    const std::vector<uint8_t> fields(5, 0);
    ASSERT_EQ(JB2SegmentWriteBytes(refinement, 17, 5, fields.data()), 0);
    JB2SegmentArray* segments = file->segments;
    JB2SegmentHeader* endOfPage = segments->items[2];
    ASSERT_EQ(endOfPage->type, cJB2_Segment_End_Of_Page);
    JB2SegmentAddReference(endOfPage);
    JB2SegmentHeader* endOfFile = segments->items[3];
    JB2SegmentAddReference(endOfFile);
    JB2SegmentArrayRemove(segments, 3);
    JB2SegmentArrayRemove(segments, 2);
    ASSERT_EQ(JB2FileAddSegment(file, &refinement, message), 0);
    endOfPage->number = 10;
    endOfFile->number = 11;
    ASSERT_EQ(JB2FileAddSegment(file, &endOfPage, message), 0);
    ASSERT_EQ(JB2FileAddSegment(file, &endOfFile, message), 0);

    JB2_Handle_Document handle = nullptr;
    ASSERT_EQ(JB2DocumentHandleCreate(&handle, memory, message, file), 0);
    JB2FileRelease(&file);
    // Property 70 tells beforehand that the page renderer will skip a region.
    uint32_t supported = 1;
    EXPECT_EQ(JB2_Document_Get_Property(handle, cJB2_Prop_Regions_Supported, &supported), 0);
    EXPECT_EQ(supported, 0u);
    JB2Test::Document::Rows rows;
    EXPECT_EQ(JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, JB2Test::Document::Collect, &rows), 0);
    EXPECT_TRUE(messages.HasOfType(11, "Unsupported generic region segment!"));
    JB2Test::Picture decoded;
    decoded.width = rows.width;
    decoded.height = static_cast<uint32_t>(rows.rows.size());
    for (const auto& row : rows.rows)
        decoded.rows.insert(decoded.rows.end(), row.begin(), row.end());
    EXPECT_EQ(decoded, picture);
    ASSERT_EQ(JB2_Document_End(&handle), 0);
}
