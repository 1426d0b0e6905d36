// The syntaxcheck command, run end to end on a small file built for it.
#include "ProgramRunner.h"
#include "foundation/ZlibCoding.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

const char kPage0Content[] = "BT /F1 12 Tf 10 10 Td (Hello) Tj ET q 20 0 0 20 50 50 cm /Im1 Do Q";

std::string Deflated(const std::string& text)
{
    const std::vector<uint8_t> bytes = ZAV::ZlibCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return std::string(bytes.begin(), bytes.end());
}

// Two pages sharing a font; the first shows an image, the second has no
// content and uses a graphics state whose /Type is no name; one image no
// page uses.
std::string SmallDocument()
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int pages = pdf.Reserve();
    const int page0 = pdf.Reserve();
    const int font = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Name /F1 >>");
    const int image = pdf.AddStream(
        "/Type /XObject /Subtype /Image /Width 2 /Height 2 /ColorSpace /DeviceGray /BitsPerComponent 8",
        std::string("\x00\x40\x80\xFF", 4));
    const int content = pdf.AddStream("/Filter /FlateDecode", Deflated(kPage0Content));
    pdf.AddStream("/Type /XObject /Subtype /Image /Width 1 /Height 1 /ColorSpace /DeviceGray /BitsPerComponent 8",
                  std::string("\x7F", 1));
    const int state = pdf.Add("<< /Type 5 /LW 2 >>");
    const int page1 = pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Resources << /Font << /F1 " +
                              std::to_string(font) + " 0 R >> /ExtGState << /G1 " + std::to_string(state) +
                              " 0 R >> >> >>");
    pdf.Set(page0, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Resources << /Font << /F1 " +
                       std::to_string(font) + " 0 R >> /XObject << /Im1 " + std::to_string(image) +
                       " 0 R >> >> /Contents " + std::to_string(content) + " 0 R >>");
    pdf.Set(pages, "<< /Type /Pages /Count 2 /Kids [" + std::to_string(page0) + " 0 R " + std::to_string(page1) +
                       " 0 R] >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages 2 0 R >>");
    return pdf.Build(catalog);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text with every run of digits that follows a marker replaced.
std::string Masked(std::string line, const std::string& marker, const std::string& mask)
{
    for (size_t at = line.find(marker); at != std::string::npos; at = line.find(marker, at + 1)) {
        size_t start = at + marker.size();
        size_t end = start;
        while (end < line.size() && IsDigit(line[end]))
            ++end;
        if (end > start)
            line.replace(start, end - start, mask);
    }
    return line;
}

// Object numbers are the object model's, and the dates of a document without
// its own are those of the run: both are replaced by placeholders.
std::vector<std::string> Normalized(const std::vector<std::string>& lines)
{
    std::vector<std::string> result;
    for (std::string line : lines) {
        line = Masked(Masked(line, "\tObj: ", "N"), "\tObj: N ", "G");
        line = Masked(line, "Listing all objects of Page ", "N");
        line = Masked(line, "Date - 'D:", "DATE");
        result.push_back(line);
    }
    return result;
}

TEST(SyntaxCheck, ListsEveryObjectPageByPageAndSavesThePageTexts)
{
    ProgramRunner runner;
    const std::string document = runner.File("small.pdf");
    ZAVTest::WriteText(document, SmallDocument());
    const std::string texts = runner.File("small_Content.txt");
    const std::string contentSize = std::to_string(Deflated(kPage0Content).size());
    const std::string font = "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/Font' SubType: '/Type1' Name: '/F1'";

    for (int run = 1; run <= 2; ++run) {
        auto result = runner.Run({"-s", "-f", document, "-o", "log.txt"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> lines = Normalized(ReadLines(runner.File("log.txt")));

        // The objects no page reaches come in the set's own order.
        const auto remainingHead = std::find(lines.begin(), lines.end(), "Listing all remaining objects ");
        ASSERT_NE(remainingHead, lines.end());
        const auto remainingEnd = std::find(remainingHead, lines.end(), "\tSummary Datasize: 1");
        ASSERT_NE(remainingEnd, lines.end());
        std::vector<std::string> remaining(remainingHead + 1, remainingEnd);
        std::sort(remaining.begin(), remaining.end());
        EXPECT_EQ(remaining, (std::vector<std::string>{
                                 "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/Catalog'",
                                 "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/Page'",
                                 "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/Page'",
                                 "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/Pages'",
                                 "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/XObject' SubType: '/Image' Width: '1' "
                                 "Height: '1' Data: 1",
                             }));
        lines.erase(remainingHead + 1, remainingEnd);

        EXPECT_EQ(lines,
                  LogWith({
                      "",
                      "Listing all objects for each Page in the PDF document '" + document + "'",
                      "",
                      "Loading PDF '" + document + "'ok.",
                      "",
                      "",
                      "Listing all objects of Page N 0",
                      font,
                      "\tObj: N G\t\tInnerObject Obj: 0 0 Type: '/XObject' SubType: '/Image' Width: '2' Height: '2' "
                      "Data: 4",
                      "\tObj: N G\t\tInnerObject Obj: 0 0 Filter: '/FlateDecode' Data: " + contentSize,
                      "\tSummary Datasize: " + std::to_string(4 + std::stoi(contentSize)),
                      "",
                      "",
                      "",
                      "Listing all objects of Page N 0",
                      font,
                      // The malformed object is reported on its line; the listing goes on.
                      "\tObj: N G\t\tInnerObject Obj: 0 0 Error listing object! Requested object '/Type' has "
                      "different type",
                      "\tSummary Datasize: 0",
                      "",
                      "",
                      "",
                      "Listing all remaining objects ",
                      "\tSummary Datasize: 1",
                      "",
                      "Loading PDF '" + document + "'ok.",
                      document + ":",
                      "\tPdfVersion - '1.4'",
                      "\tModDate - 'D:DATE'",
                      "\tCreator - 'ZAVImage Version 5.0'",
                      "\tCreationDate - 'D:DATE'",
                      "Pages: 2",
                      "\tSaving content of Page 0:",
                      "Content of page 0 saved to '" + texts + "'!",
                      "\tSaving content of Page 1:",
                      "Content of page 1 saved to '" + texts + "'!",
                  }));

        // The page text file grows by one block per page and run.
        std::string once = std::string("Page 0:\n") + kPage0Content + "\n\n\nPage 1:\n\n\n\n";
        std::string expected;
        for (int i = 0; i < run; ++i)
            expected += once;
        EXPECT_EQ(ZAVTest::ReadText(texts), expected);
    }
}

TEST(SyntaxCheck, ADocumentThatCannotBeReadIsReportedOnBothLoadingLines)
{
    ProgramRunner runner;
    const std::string document = runner.File("broken.pdf");
    ZAVTest::WriteText(document, "%PDF-1.4\nnot a document at all\n");
    auto result = runner.Run({"-s", "-f", document, "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    ASSERT_EQ(lines.size(), 9u);
    const std::string loading = "Loading PDF '" + document + "'";
    EXPECT_EQ(lines[7].rfind(loading + "Error listing contained objects! ", 0), 0u) << lines[7];
    EXPECT_EQ(lines[8].rfind(loading + "Error listing content data! ", 0), 0u) << lines[8];
    EXPECT_FALSE(ZAVTest::FileExists(runner.File("broken_Content.txt")));
}

TEST(SyntaxCheck, AMissingDocumentFailsBeforeAnythingIsOpened)
{
    for (const std::string& name : {std::string("missing.pdf"), std::string()}) {
        ProgramRunner runner;
        std::vector<std::string> arguments = {"-s", "-o", "log.txt"};
        if (!name.empty())
            arguments.insert(arguments.end(), {"-f", name});
        auto result = runner.Run(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "error: File '" + name + "' not found!\n");
        EXPECT_EQ(ReadLines(runner.File("log.txt")),
                  LogWith({"", "Listing all objects for each Page in the PDF document '" + name + "'", "",
                           "File '" + name + "' not found!"}));
    }
}

}  // namespace
