// The document functions over the test files: structure, properties,
// export as JBIG2 and PDF checked by independent tools, page insertion,
// and damaged data.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tests/jbig2codec/JB2DocumentFixture.h"

using namespace JB2Test;

namespace {

struct FileCase {
    const char* name;
    uint32_t pages;
};

const FileCase kFiles[] = {
    {"black-200x100.generic.jb2", 1}, {"white-200x100.tpgd.jb2", 1},   {"small-64x48.generic.jb2", 1},
    {"small-64x48.tpgd.jb2", 1},      {"text-301x157.generic.jb2", 1}, {"text-301x157.tpgd.jb2", 1},
    {"page-1003x700.generic.jb2", 1}, {"page-1003x700.tpgd.jb2", 1},   {"text-301x157.symbol.jb2", 1},
    {"page-1003x700.symbol.jb2", 1},  {"twopage.symbol.jb2", 2},       {"embedded-generic-small.0000", 1},
};

std::string ExpectedName(const std::string& file)
{
    std::string base = file.substr(0, file.find('.'));
    if (file.find(".symbol.") != std::string::npos)
        base += ".symbol";
    return base + ".expected.pbm";
}

}  // namespace

TEST(JB2Document, OpensEveryTestFileWithItsPagesAndSizes)
{
    for (const auto& c : kFiles) {
        Document document(DataFile(c.name));
        ASSERT_EQ(document.started, 0) << c.name << "\n" << document.messages.All();
        EXPECT_EQ(document.Property(cJB2_Prop_Number_Of_Pages), c.pages) << c.name;
        const auto expected = ParsePbm(DataFile(ExpectedName(c.name)));
        ASSERT_EQ(expected.size(), c.pages) << c.name;
        for (uint32_t page = 0; page < c.pages; ++page) {
            ASSERT_EQ(JB2_Document_Set_Page(document.handle, page), 0);
            EXPECT_EQ(document.Property(cJB2_Prop_Width), expected[page].width) << c.name;
            EXPECT_EQ(document.Property(cJB2_Prop_Height), expected[page].height) << c.name;
        }
        EXPECT_EQ(document.Property(cJB2_Prop_Regions_Supported), 1u) << c.name;
    }
}

TEST(JB2Document, ExportedJBIG2FilesDecodeWithJbig2decToTheSamePixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (const auto& c : kFiles) {
        const std::vector<uint8_t> original = DataFile(c.name);
        Document document(original);
        ASSERT_EQ(document.started, 0) << c.name;
        JB2_Error status = -1;
        const std::vector<uint8_t> exported = document.Export(cJB2_Export_Format_JBIG2_File, &status);
        ASSERT_EQ(status, 0) << c.name << "\n" << document.messages.All();
        // A file read and written again is the same file.
        if (original[0] == 0x97) {
            EXPECT_EQ(exported, original) << c.name;
        }
        const auto expected = ParsePbm(DataFile(ExpectedName(c.name)));
        EXPECT_EQ(Jbig2dec(exported), expected) << c.name;
    }
}

TEST(JB2Document, ExportedPagesCarryTheGlobalsTheyReferTo)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    Document document(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(document.started, 0);
    const auto expected = ParsePbm(DataFile("twopage.symbol.expected.pbm"));
    for (uint32_t page = 0; page < 2; ++page) {
        JB2_Error status = -1;
        const auto exported = document.Export(cJB2_Export_Format_JBIG2_File, &status, page);
        ASSERT_EQ(status, 0) << document.messages.All();
        const auto decoded = Jbig2dec(exported);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_EQ(decoded[0], expected[page]) << page;
    }
    // A page stream for PDF cannot hold the globals: refused.
    JB2_Error status = 0;
    document.Export(cJB2_Export_Format_Stream_For_PDF, &status, 1);
    EXPECT_EQ(status, cJB2_Error_Invalid_Export_Format);
    EXPECT_TRUE(document.messages.HasOfType(cJB2_Message_Error, "Invalid export format!"));
    document.Export(cJB2_Export_Format_Stream_For_PDF, &status);
    EXPECT_EQ(status, cJB2_Error_Invalid_Export_Format);
    EXPECT_TRUE(document.messages.HasOfType(
        cJB2_Message_Error, "cJB2_Export_Format_Stream_For_PDF can only be used for single page documents!"));
    document.Export(30, &status);
    EXPECT_EQ(status, cJB2_Error_Invalid_Export_Format);
    document.Export(cJB2_Export_Format_JBIG2_File, &status, 2);
    EXPECT_EQ(status, cJB2_Error_Invalid_Index);
}

TEST(JB2Document, StreamForPdfIsThePageInEmbeddedForm)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    Document document(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    const auto stream = document.Export(cJB2_Export_Format_Stream_For_PDF, &status);
    ASSERT_EQ(status, 0);
    const std::string text(stream.begin(), stream.end());
    EXPECT_EQ(text.find("obj"), std::string::npos);
    EXPECT_EQ(text.find("%PDF"), std::string::npos);
    EXPECT_EQ(Jbig2dec(stream, true), ParsePbm(DataFile("small-64x48.expected.pbm")));
}

namespace {

// Writes the PDF, checks it with qpdf and returns the pictures pdfimages
// extracts from it.
std::vector<Picture> CheckPdf(const std::vector<uint8_t>& pdf)
{
    ZAVTest::TempDir dir;
    const std::string file = dir.File("out.pdf");
    ZAVTest::WriteBytes(file, pdf);
    const auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(file));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
    const auto images =
        ZAVTest::Run("pdfimages " + ZAVTest::ShellQuote(file) + " " + ZAVTest::ShellQuote(dir.File("img")));
    EXPECT_EQ(images.exitCode, 0) << images.output;
    std::vector<Picture> pictures;
    for (int i = 0; i < 10; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "img-%03d.pbm", i);
        if (!ZAVTest::FileExists(dir.File(name)))
            break;
        for (auto& picture : ParsePbm(ZAVTest::ReadBytes(dir.File(name))))
            pictures.push_back(picture);
    }
    return pictures;
}

}  // namespace

TEST(JB2Document, PdfExportPassesQpdfAndPdfimagesExtractsThePictures)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    for (const char* name : {"text-301x157.generic.jb2", "twopage.symbol.jb2"}) {
        Document document(DataFile(name));
        ASSERT_EQ(document.started, 0);
        JB2_Error status = -1;
        const auto pdf = document.Export(cJB2_Export_Format_PDF, &status);
        ASSERT_EQ(status, 0) << name << "\n" << document.messages.All();
        EXPECT_EQ(CheckPdf(pdf), ParsePbm(DataFile(ExpectedName(name)))) << name;
    }
}

TEST(JB2Document, PdfImageStreamsDecodeWithJbig2decWithTheirGlobals)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    Document document(DataFile("twopage.symbol.jb2"));
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    const auto pdf = document.Export(cJB2_Export_Format_PDF, &status);
    ASSERT_EQ(status, 0);
    ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("out.pdf"), pdf);
    // Object 3 holds the globals; each page's image follows with its page,
    // resources and content: images are objects 4 and 8.
    auto raw = [&](int object, const std::string& name) {
        const auto result =
            ZAVTest::Run("qpdf --show-object=" + std::to_string(object) + " --raw-stream-data " +
                         ZAVTest::ShellQuote(dir.File("out.pdf")) + " > " + ZAVTest::ShellQuote(dir.File(name)));
        EXPECT_EQ(result.exitCode, 0) << result.output;
        return dir.File(name);
    };
    const std::string globals = raw(3, "globals.jb2");
    const auto expected = ParsePbm(DataFile("twopage.symbol.expected.pbm"));
    for (int page = 0; page < 2; ++page) {
        const std::string stream = raw(4 + 4 * page, "page.jb2");
        const auto result = ZAVTest::Run("jbig2dec -q -e -t pbm -o " + ZAVTest::ShellQuote(dir.File("page.pbm")) + " " +
                                         ZAVTest::ShellQuote(globals) + " " + ZAVTest::ShellQuote(stream));
        EXPECT_EQ(result.exitCode, 0) << result.output;
        const auto decoded = ParsePbm(ZAVTest::ReadBytes(dir.File("page.pbm")));
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_EQ(decoded[0], expected[page]) << page;
    }
    const std::string text(pdf.begin(), pdf.end());
    EXPECT_NE(text.find("/DecodeParms      [<< /JBIG2Globals 3 0 R >>]"), std::string::npos);
}

TEST(JB2Document, PdfOfOnePageHasItsObjectsInOrder)
{
    Document document(DataFile("small-64x48.generic.jb2"));
    ASSERT_EQ(document.started, 0);
    JB2_Error status = -1;
    const auto pdf = document.Export(cJB2_Export_Format_PDF, &status);
    ASSERT_EQ(status, 0);
    const std::string text(pdf.begin(), pdf.end());
    EXPECT_EQ(text.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(text[9], '%');
    for (int i = 10; i < 20; ++i)
        EXPECT_GE(static_cast<uint8_t>(text[i]), 128);
    EXPECT_EQ(text[20], '\n');
    size_t last = 0;
    for (const char* object : {"3 0 obj", "4 0 obj", "5 0 obj", "6 0 obj", "1 0 obj", "2 0 obj", "xref\n0 7\n"}) {
        const size_t at = text.find(object);
        ASSERT_NE(at, std::string::npos) << object;
        EXPECT_GT(at, last) << object;
        last = at;
    }
    EXPECT_NE(text.find("0000000000 65535 f \n"), std::string::npos);
    EXPECT_EQ(text.find("JBIG2Globals"), std::string::npos);
    // No resolution in the file: one pixel is one point.
    EXPECT_NE(text.find("/MediaBox   [0 0 64.00 48.00]"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "%%EOF\n");
}
