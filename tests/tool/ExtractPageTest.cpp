// The extractpage command, run end to end and checked with qpdf and poppler.
#include "ProgramRunner.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

std::string Output(const std::string& commandLine)
{
    auto result = ZAVTest::Run(commandLine);
    EXPECT_EQ(result.exitCode, 0) << commandLine << "\n" << result.output;
    return result.output;
}

// The copy must pass qpdf's check and look exactly like the page qpdf itself
// takes out of the source: same text, same size, same pixels.
void ExpectSamePage(const ProgramRunner& runner, const std::string& copy, const std::string& source, int page)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftotext"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    Output("qpdf --check " + ShellQuote(copy));
    const std::string reference = runner.File("reference.pdf");
    Output("qpdf --empty --pages " + ShellQuote(source) + " " + std::to_string(page) + " -- " + ShellQuote(reference));

    EXPECT_EQ(Output("pdfinfo " + ShellQuote(copy) + " | grep -E '^(Pages|Page size|Page rot)'"),
              Output("pdfinfo " + ShellQuote(reference) + " | grep -E '^(Pages|Page size|Page rot)'"));
    EXPECT_EQ(Output("pdftotext " + ShellQuote(copy) + " -"), Output("pdftotext " + ShellQuote(reference) + " -"));
    Output("pdftoppm -r 24 -gray " + ShellQuote(copy) + " " + ShellQuote(runner.File("copy")));
    Output("pdftoppm -r 24 -gray " + ShellQuote(reference) + " " + ShellQuote(runner.File("ref")));
    EXPECT_EQ(ZAVTest::ReadBytes(runner.File("copy-1.pgm")), ZAVTest::ReadBytes(runner.File("ref-1.pgm")));
}

TEST(ExtractPage, CopiesTheFirstAndTheLastPage)
{
    for (int page : {1, 3}) {
        ProgramRunner runner;
        const std::string source = ZAVToolTest::MakeThreePagePdf(runner.File("three.pdf"));
        auto result = runner.Run({"-p", "-f", source, "-g", std::to_string(page), "-z", runner.File("page.tif"),
                                  "-o", "log.txt"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const std::string copy = runner.File("page.pdf");
        EXPECT_EQ(ReadLines(runner.File("log.txt")),
                  LogWith({"", "Extracting Page " + std::to_string(page) + " from '" + source + "' to '" +
                                   runner.File("page.tif") + "'",
                           "", "Loading PDF '" + source + "'ok.", "Save PDF to '" + copy + "' ...ok."}));
        EXPECT_EQ(Output("pdftotext " + ShellQuote(copy) + " -"), "Page " + std::to_string(page) + "\n\n\f");
        // Nothing of the other pages comes along.
        const std::string objects = Output("qpdf --qdf --object-streams=disable " + ShellQuote(copy) + " -");
        for (int other = 1; other <= 3; ++other)
            EXPECT_EQ(objects.find("(Page " + std::to_string(other) + ")Tj") != std::string::npos, other == page)
                << other;
        ExpectSamePage(runner, copy, source, page);
    }
}

TEST(ExtractPage, RefusesPagesOutsideTheDocument)
{
    struct Case {
        const char* page;
        std::string message;
    };
    const Case cases[] = {
        {"4", "Invalid page '4'. Use values from 1 to 3 or -1 for all pages."},
        {"0", "Pagenumber has to be greater than 0!"},
        {"-1", "Pagenumber has to be greater than 0!"},
    };
    for (const Case& c : cases) {
        ProgramRunner runner;
        const std::string source = ZAVToolTest::MakeThreePagePdf(runner.File("three.pdf"));
        auto result = runner.Run({"-p", "-f", source, "-g", c.page, "-z", runner.File("out.pdf"), "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 2) << c.page;
        EXPECT_EQ(result.err, "error: " + c.message + "\n");
        std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "Loading PDF '" + source + "'ok.");
        EXPECT_EQ(lines.back(), c.message);
        EXPECT_FALSE(ZAVTest::FileExists(runner.File("out.pdf")));
    }
}

TEST(ExtractPage, NamesTheOutputAfterWhatExists)
{
    ProgramRunner runner;
    const std::string source = ZAVToolTest::MakeThreePagePdf(runner.File("three.pdf"));
    ASSERT_EQ(mkdir(runner.File("out").c_str(), 0700), 0);

    // The document's own name is taken: the copy gets the next number.
    ASSERT_EQ(runner.Run({"-p", "-f", source, "-g", "2", "-z", source}).exitCode, 0);
    EXPECT_TRUE(ZAVTest::FileExists(runner.File("three_1.pdf")));
    // A folder gets a file named after the letters and digits of its path.
    ASSERT_EQ(runner.Run({"-p", "-f", source, "-g", "2", "-z", runner.File("out")}).exitCode, 0);
    const std::string letters = runner.File("out/") +
                                [&] {
                                    std::string kept;
                                    for (char c : runner.File("out/"))
                                        if (isalnum(static_cast<unsigned char>(c)))
                                            kept += c;
                                    return kept;
                                }() +
                                ".pdf";
    EXPECT_TRUE(ZAVTest::FileExists(letters)) << letters;

    // An empty name is refused instead of making a file called ".pdf".
    auto result = runner.Run({"-p", "-f", source, "-g", "2", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "error: No outputfile available!\n");
    EXPECT_FALSE(ZAVTest::FileExists(runner.File(".pdf")));

    result = runner.Run({"-p", "-f", "missing.pdf", "-z", "x.pdf", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(ReadLines(runner.File("log.txt")),
              LogWith({"", "Extracting Page 1 from 'missing.pdf' to 'x.pdf'", "", "File 'missing.pdf' not found!"}));
}

TEST(ExtractPage, ALoadFailureContinuesTheLoadingLine)
{
    ProgramRunner runner;
    const std::string source = runner.File("broken.pdf");
    ZAVTest::WriteText(source, "%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\ntrailer << >>\n");
    auto result = runner.Run({"-p", "-f", source, "-z", runner.File("out.pdf"), "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[7].rfind("Loading PDF '" + source + "'Can't parse PDF file! ", 0), 0u) << lines[7];
    EXPECT_EQ(result.err, "error: " + lines[7].substr(("Loading PDF '" + source + "'").size()) + "\n");
    EXPECT_FALSE(ZAVTest::FileExists(runner.File("out.pdf")));
}

TEST(ExtractPage, RunsBeforeExtractPictureWhenBothAreAsked)
{
    ProgramRunner runner;
    const std::string source = ZAVToolTest::MakeThreePagePdf(runner.File("three.pdf"));
    auto result = runner.Run({"-x", "-p", "-f", source, "-z", runner.File("one.pdf"), "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(ZAVTest::FileExists(runner.File("one.pdf")));
    EXPECT_EQ(ReadLines(runner.File("log.txt"))[5], "Extracting Page 1 from '" + source + "' to '" +
                                                         runner.File("one.pdf") + "'");
}

TEST(ExtractPage, APageTakesTheAttributesItInherits)
{
    // The page tree node holds the media box, the rotation and the resources;
    // the second page holds nothing but its content and its parent.
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int pages = pdf.Reserve();
    const int font = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    const int resources = pdf.Add("<< /Font << /F1 " + std::to_string(font) + " 0 R >> >>");
    const int first = pdf.AddStream("", "BT /F1 18 Tf 20 250 Td (First page) Tj ET");
    const int second = pdf.AddStream("", "BT /F1 18 Tf 20 40 Td (Inherited) Tj ET 0 0 1 rg 20 100 60 30 re f");
    const int page1 = pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 400 500] /Resources " +
                              std::to_string(resources) + " 0 R /Contents " + std::to_string(first) + " 0 R >>");
    const int page2 = pdf.Add("<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(second) + " 0 R >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Set(pages, "<< /Type /Pages /Count 2 /MediaBox [0 0 200 300] /Rotate 90 /Resources " +
                       std::to_string(resources) + " 0 R /Kids [" + std::to_string(page1) + " 0 R " +
                       std::to_string(page2) + " 0 R] >>");

    ProgramRunner runner;
    const std::string source = runner.File("inherit.pdf");
    ZAVTest::WriteText(source, pdf.Build(catalog));
    auto result = runner.Run({"-p", "-f", source, "-g", "2", "-z", runner.File("copy.pdf")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string info = Output("pdfinfo " + ShellQuote(runner.File("copy.pdf")));
    EXPECT_NE(info.find("Page size:       200 x 300 pts"), std::string::npos) << info;
    EXPECT_NE(info.find("Page rot:        90"), std::string::npos) << info;
    EXPECT_NE(Output("pdftotext " + ShellQuote(runner.File("copy.pdf")) + " -").find("Inherited"), std::string::npos);
    ExpectSamePage(runner, runner.File("copy.pdf"), source, 2);
    // The other page of the tree stays behind.
    EXPECT_EQ(ZAVTest::ReadText(runner.File("copy.pdf")).find("First page"), std::string::npos);
}

}  // namespace

namespace {

// Three pages; page 1 carries a link to page 3, and a filled text field
// whose widget points back at page 1. Its value is drawn from the form's
// /NeedAppearances, /DA and /DR alone (a font no page uses), so without
// the form (withForm false) it draws otherwise.
std::string MakeFormPdf(const std::string& path, bool withForm)
{
    ZAVTest::PdfFileBuilder pdf;
    const int pages = pdf.Reserve();
    const int page1 = pdf.Reserve();
    const int page3 = pdf.Reserve();
    const int field = pdf.Reserve();
    const int font = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    const int fieldFont = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Courier-Bold /Encoding /WinAnsiEncoding >>");
    const std::string fontRef = std::to_string(font) + " 0 R";
    const std::string resources = "/Resources << /Font << /Helv " + fontRef + " >> >>";
    auto addPage = [&](int number, int n, const std::string& more) {
        const int content =
            pdf.AddStream("", "BT /Helv 24 Tf 72 700 Td (Page " + std::to_string(n) + ") Tj ET");
        pdf.Set(number, "<< /Type /Page /Parent " + std::to_string(pages) + " 0 R /MediaBox [0 0 300 800] " +
                            resources + " /Contents " + std::to_string(content) + " 0 R " + more + " >>");
    };
    const int link = pdf.Add("<< /Type /Annot /Subtype /Link /Rect [72 600 200 640] /Border [0 0 0] /Dest [" +
                             std::to_string(page3) + " 0 R /Fit] >>");
    pdf.Set(field, "<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /V (Filled value) /F 4 "
                   "/Rect [50 400 250 440] /P " + std::to_string(page1) + " 0 R >>");
    addPage(page1, 1, "/Annots [" + std::to_string(link) + " 0 R " + std::to_string(field) + " 0 R]");
    const int page2 = pdf.Reserve();
    addPage(page2, 2, "");
    addPage(page3, 3, "");
    pdf.Set(pages, "<< /Type /Pages /Kids [" + std::to_string(page1) + " 0 R " + std::to_string(page2) + " 0 R " +
                       std::to_string(page3) + " 0 R] /Count 3 >>");
    const std::string form = "/AcroForm << /Fields [" + std::to_string(field) +
                             " 0 R] /NeedAppearances true /DA (/Cour 18 Tf 0 g) /DR << /Font << /Cour " +
                             std::to_string(fieldFont) + " 0 R >> >> >>";
    const int root =
        pdf.Add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R " + (withForm ? form : "") + " >>");
    ZAVTest::WriteText(path, pdf.Build(root));
    return path;
}

// The numbers of the objects a file refers to ("N G R").
std::vector<int> ReferredNumbers(const std::string& bytes)
{
    std::vector<int> numbers;
    for (size_t at = bytes.find(" R"); at != std::string::npos; at = bytes.find(" R", at + 2)) {
        size_t start = at;
        int spaces = 0;
        while (start > 0 && (isdigit(static_cast<unsigned char>(bytes[start - 1])) || bytes[start - 1] == ' ')) {
            if (bytes[start - 1] == ' ' && ++spaces == 2)
                break;
            --start;
        }
        if (spaces == 2 && isdigit(static_cast<unsigned char>(bytes[start])))
            numbers.push_back(std::stoi(bytes.substr(start)));
    }
    return numbers;
}

}  // namespace

TEST(ExtractPage, APageReferredBackIsCopiedOnceWithItsFormFields)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ProgramRunner runner;
    const std::string source = MakeFormPdf(runner.File("form.pdf"), true);
    auto result = runner.Run({"-p", "-f", source, "-g", "1", "-z", runner.File("page.pdf")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string copy = runner.File("page.pdf");

    auto check = ZAVTest::Run("qpdf --check " + ShellQuote(copy));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(Output("qpdf --show-npages " + ShellQuote(copy)), "1\n");
    // Exactly one page object in the file, and nothing refers to an object it does not hold.
    const std::string bytes = ZAVTest::ReadText(copy);
    const std::regex pageType("/Type\\s*/Page(?!s)");
    EXPECT_EQ(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), pageType), std::sregex_iterator()), 1);
    const std::string xref = "\n" + Output("qpdf --show-xref " + ShellQuote(copy));
    for (int number : ReferredNumbers(bytes))
        EXPECT_NE(xref.find("\n" + std::to_string(number) + "/0: uncompressed"), std::string::npos)
            << "object " << number << " is referred to but not written";

    // The filled field draws as in the source, which it would not without a form.
    Output("pdftoppm -r 36 -gray -f 1 -l 1 " + ShellQuote(source) + " " + ShellQuote(runner.File("source")));
    const std::string formless = MakeFormPdf(runner.File("formless.pdf"), false);
    Output("pdftoppm -r 36 -gray -f 1 -l 1 " + ShellQuote(formless) + " " + ShellQuote(runner.File("formless")));
    ASSERT_NE(ZAVTest::ReadBytes(runner.File("formless-1.pgm")), ZAVTest::ReadBytes(runner.File("source-1.pgm")));
    Output("pdftoppm -r 36 -gray " + ShellQuote(copy) + " " + ShellQuote(runner.File("copy")));
    EXPECT_EQ(ZAVTest::ReadBytes(runner.File("copy-1.pgm")), ZAVTest::ReadBytes(runner.File("source-1.pgm")));
}

TEST(ExtractPage, RefusesDocumentsItCannotCopyFrom)
{
    ZAVTest::PdfFileBuilder empty;
    const int pages = empty.Add("<< /Type /Pages /Kids [] /Count 0 >>");
    const int root = empty.Add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R >>");
    std::string encrypted = empty.Build(root);
    encrypted.replace(encrypted.find("/Root"), 5, "/Encrypt << /Filter /Standard /V 1 /R 2 >> /Root");
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
        bool loaded;
    } cases[] = {
        {"no pages", empty.Build(root), "The document has no pages!", true},
        {"encrypted", encrypted, "Can't parse PDF file! Encrypted PDF documents are not supported!", false},
    };
    for (const auto& c : cases) {
        ProgramRunner runner;
        const std::string source = runner.File("in.pdf");
        ZAVTest::WriteText(source, c.bytes);
        auto result = runner.Run({"-p", "-f", source, "-z", runner.File("out.pdf"), "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 2) << c.name;
        EXPECT_EQ(result.err, "error: " + c.message + "\n") << c.name;
        const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
        ASSERT_FALSE(lines.empty());
        const std::string loading = "Loading PDF '" + source + "'";
        EXPECT_EQ(lines.back(), c.loaded ? c.message : loading + c.message) << c.name;
        EXPECT_FALSE(ZAVTest::FileExists(runner.File("out.pdf"))) << c.name;
    }
}
