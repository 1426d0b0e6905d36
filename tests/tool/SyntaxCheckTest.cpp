// The syntaxcheck command, run end to end on a small file built for it.
#include "ProgramRunner.h"
#include "foundation/coding/ZlibCoding.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
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

// Object numbers depend on how the builder lays the file out, and the dates
// of a document without its own are those of the run: both are replaced by
// placeholders.
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

// "N G" of every number that follows marker at the start of a line.
std::set<std::string> NumbersAfter(const std::vector<std::string>& lines, const std::string& marker)
{
    std::set<std::string> numbers;
    for (const std::string& line : lines) {
        if (line.rfind(marker, 0) != 0)
            continue;
        std::istringstream fields(line.substr(marker.size()));
        int number = -1;
        int generation = -1;
        if (fields >> number >> generation)
            numbers.insert(std::to_string(number) + " " + std::to_string(generation));
    }
    return numbers;
}

TEST(SyntaxCheck, ListsTheNumbersTheFileGivesItsObjects)
{
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ProgramRunner runner;
    const std::string document = runner.File("two.pdf");
    const auto made = ZAVTest::Run("gs -q -sDEVICE=pdfwrite -dCompatibilityLevel=1.4 -o " + ZAVTest::ShellQuote(document) +
                                   " -c \"/Helvetica findfont 20 scalefont setfont 72 700 moveto (One) show showpage "
                                   "72 700 moveto (Two) show showpage\"");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    auto result = runner.Run({"-s", "-f", document, "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));

    // qpdf lists "N/G: uncompressed; ..." for each object in use.
    const auto xref = ZAVTest::Run("qpdf --show-xref " + ZAVTest::ShellQuote(document));
    ASSERT_EQ(xref.exitCode, 0) << xref.output;
    std::set<std::string> inUse;
    std::istringstream rows(xref.output);
    for (std::string row; std::getline(rows, row);) {
        int number = -1;
        int generation = -1;
        if (std::sscanf(row.c_str(), "%d/%d: uncompressed", &number, &generation) == 2)
            inUse.insert(std::to_string(number) + " " + std::to_string(generation));
    }
    ASSERT_GT(inUse.size(), 5u) << xref.output;
    EXPECT_EQ(NumbersAfter(lines, "\tObj: "), inUse);

    // The pages are headed by their own numbers, in page order: "page 1: 4 0 R".
    const auto pages = ZAVTest::Run("qpdf --show-pages " + ZAVTest::ShellQuote(document));
    ASSERT_EQ(pages.exitCode, 0) << pages.output;
    std::vector<std::string> qpdfPages;
    std::istringstream pageRows(pages.output);
    for (std::string row; std::getline(pageRows, row);) {
        int index = 0;
        int number = -1;
        int generation = -1;
        if (std::sscanf(row.c_str(), "page %d: %d %d R", &index, &number, &generation) == 3)
            qpdfPages.push_back("Listing all objects of Page " + std::to_string(number) + " " +
                                std::to_string(generation));
    }
    std::vector<std::string> pageHeads;
    for (const std::string& line : lines)
        if (line.rfind("Listing all objects of Page ", 0) == 0)
            pageHeads.push_back(line);
    EXPECT_EQ(qpdfPages.size(), 2u);
    EXPECT_EQ(pageHeads, qpdfPages);
}

TEST(SyntaxCheck, ReportsTheInformationTheFileHolds)
{
    ProgramRunner runner;
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Add("<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Add("<< /Type /Pages /Count 1 /Kids [3 0 R] >>");
    pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>");
    const int info = pdf.Add("<< /Title (Quarterly figures) /Author (Finance) /Producer (Another tool 2.1) "
                             "/Creator (A word processor) /CreationDate (D:20190304050607+02'00') "
                             "/ModDate (D:20200304050607Z) >>");
    const std::string document = runner.File("info.pdf");
    ZAVTest::WriteText(document, pdf.Build(catalog, info, "1.6"));
    auto result = runner.Run({"-s", "-f", document, "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    const auto head = std::find(lines.begin(), lines.end(), document + ":");
    ASSERT_NE(head, lines.end());
    EXPECT_EQ(std::vector<std::string>(head + 1, lines.end()),
              (std::vector<std::string>{
                  "\tTitle - 'Quarterly figures'",
                  "\tProducer - 'Another tool 2.1'",
                  "\tPdfVersion - '1.6'",
                  "\tModDate - 'D:20200304050607Z'",
                  "\tCreator - 'A word processor'",
                  "\tCreationDate - 'D:20190304050607+02'00''",
                  "Pages: 1",
                  "\tSaving content of Page 0:",
                  "Content of page 0 saved to '" + runner.File("info_Content.txt") + "'!",
              }));
}

// A document that cannot be read fails the command (both loading lines stay
// in the log); a damaged object inside a readable one is only a log line.
TEST(SyntaxCheck, ADocumentThatCannotBeReadFailsTheCommand)
{
    ZAVTest::PdfFileBuilder readable;
    const int pages = readable.Reserve();
    const int page = readable.Add("<< /Type /Page /Parent " + std::to_string(pages) + " 0 R >>");
    readable.Set(pages, "<< /Type /Pages /Kids [" + std::to_string(page) + " 0 R] /Count 1 >>");
    readable.Add("<< /Broken (no end >>");
    const int root = readable.Add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R >>");
    ZAVTest::PdfFileBuilder encrypted = readable;
    const std::string encryptedBytes = [&] {
        std::string bytes = encrypted.Build(root);
        bytes.replace(bytes.find("/Root"), 5, "/Encrypt << /Filter /Standard >> /Root");
        return bytes;
    }();
    const struct {
        const char* name;
        std::string bytes;
        std::string failure;  // "" when the command succeeds
    } cases[] = {
        {"not a document", "%PDF-1.4\nnot a document at all\n",
         "Can't parse PDF file! File contains invalid EOF marker"},
        {"encrypted", encryptedBytes, "Can't parse PDF file! Encrypted PDF documents are not supported!"},
        {"one damaged object", readable.Build(root), ""},
    };
    for (const auto& c : cases) {
        ProgramRunner runner;
        const std::string document = runner.File("broken.pdf");
        ZAVTest::WriteText(document, c.bytes);
        auto result = runner.Run({"-s", "-f", document, "-o", "log.txt"});
        const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
        const std::string loading = "Loading PDF '" + document + "'";
        if (!c.failure.empty()) {
            EXPECT_EQ(result.exitCode, 2) << c.name;
            EXPECT_EQ(result.err, "error: " + c.failure + "\n") << c.name;
            ASSERT_EQ(lines.size(), 10u) << c.name;
            EXPECT_EQ(lines[7], loading + "Error listing contained objects! " + c.failure);
            EXPECT_EQ(lines[8], loading + "Error listing content data! " + c.failure);
            EXPECT_EQ(lines[9], c.failure);
            EXPECT_FALSE(ZAVTest::FileExists(runner.File("broken_Content.txt")));
        } else {
            EXPECT_EQ(result.exitCode, 0) << c.name << result.err;
            EXPECT_EQ(result.err, "");
            EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.rfind("\tError loading object", 0) == 0; }),
                      lines.end());
        }
    }
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
