// Appending pages to an existing file: checked with qpdf and pdfinfo, the
// file's own pages kept, each object appended once, a failure leaving the
// file as it was.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <map>
#include <sstream>
#include <string>

#include "PDFTestFiles.h"
#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFUpdateableDocument.h"
#include "support/TestSupport.h"

using namespace ZAVPDF;

namespace {

std::string Quote(const std::string& path)
{
    return ZAVTest::ShellQuote(path);
}

// A file of another tool with the given number of pages.
std::string MakeGhostscriptFile(const ZAVTest::TempDir& dir, int pages)
{
    std::string path = dir.File("gs.pdf");
    ZAVTest::RunResult made =
        ZAVTest::Run("gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -dCompatibilityLevel=1.4 -sOutputFile=" + Quote(path) +
                     " -c \"/Helvetica findfont 20 scalefont setfont " + std::to_string(pages) +
                     " { 72 72 moveto (Old) show showpage } repeat\"");
    EXPECT_EQ(0, made.exitCode) << made.output;
    return path;
}

int PdfinfoPages(const std::string& path)
{
    ZAVTest::RunResult info = ZAVTest::Run("pdfinfo " + Quote(path));
    EXPECT_EQ(0, info.exitCode) << info.output;
    size_t at = info.output.find("Pages:");
    if (at == std::string::npos)
        return -1;
    return std::stoi(info.output.substr(at + 6));
}

// The object numbers of the "N G obj" headers in text, with how often each stands there.
std::map<int, int> ObjectHeaders(const std::string& text)
{
    std::map<int, int> headers;
    for (size_t at = text.find(" obj\r\n"); at != std::string::npos; at = text.find(" obj\r\n", at + 1)) {
        size_t lineStart = text.rfind('\n', at);
        lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
        ++headers[std::stoi(text.substr(lineStart, at - lineStart))];
    }
    return headers;
}

// Appends the pages of a small source document to target; returns the
// standard output printed meanwhile.
std::string AppendPages(const std::string& target, int newPages)
{
    std::string sourceBytes = PDFTest::PagesFile(newPages).Build();
    PDFTest::OpenedFile source(sourceBytes);
    EXPECT_EQ("", source.error);
    testing::internal::CaptureStdout();
    {
        boost::shared_ptr<CPDFUpdateableDocument> update = boost::make_shared<CPDFUpdateableDocument>();
        update->ReadIncrementalUpdateFile(target.c_str());
        for (int i = 0; i < source.document->GetPageCount(); ++i)
            update->ImportPage(source.document->GetPage(i)->GetPageObject());
        update->WriteUpdate(target.c_str());
    }
    TransferObjectsMap().Clear();
    return testing::internal::GetCapturedStdout();
}

TEST(PDFUpdateableDocument, WritingBeforeReadingIsRefused)
{
    CPDFUpdateableDocument update;
    try {
        update.WriteUpdate("/nonexistent/x.pdf");
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_STREQ("Call ReadIncrementalUpdateFile before updating the actual file!", e.GetText());
    }
}

TEST(PDFUpdateableDocument, UpdateOfAnotherToolsFilePassesQpdfAndKeepsOldPages)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ZAVTest::TempDir dir;
    std::string target = MakeGhostscriptFile(dir, 3);
    std::string before = ZAVTest::ReadText(target);
    PDFTest::OpenedFile original(before);
    ASSERT_EQ("", original.error);
    const int oldStartXref = original.document->GetStartXref();

    EXPECT_EQ("", AppendPages(target, 2));  // nothing on standard output

    std::string after = ZAVTest::ReadText(target);
    ASSERT_GT(after.size(), before.size());
    EXPECT_EQ(before, after.substr(0, before.size()));  // appended, not rewritten
    ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + Quote(target));
    EXPECT_EQ(0, check.exitCode) << check.output;
    EXPECT_EQ(std::string::npos, check.output.find("WARNING")) << check.output;
    EXPECT_EQ(5, PdfinfoPages(target));
    ZAVTest::RunResult npages = ZAVTest::Run("qpdf --show-npages " + Quote(target));
    EXPECT_EQ("5", npages.output.substr(0, 1));

    // The appended section: /Prev is the old startxref, startxref points at "xref".
    std::string update = after.substr(before.size());
    EXPECT_NE(std::string::npos, update.find("/Prev " + std::to_string(oldStartXref)));
    size_t startxref = update.rfind("startxref\r\n");
    ASSERT_NE(std::string::npos, startxref);
    EXPECT_EQ("\r\n%%EOF\r\n", update.substr(update.size() - 9));
    EXPECT_EQ("xref", after.substr(std::stoul(update.substr(startxref + 11)), 4));

    // Each object is appended once.
    std::map<int, int> headers = ObjectHeaders(update);
    EXPECT_GE(headers.size(), 5u);
    for (const auto& entry : headers)
        EXPECT_EQ(1, entry.second) << "object " << entry.first;

    // The file opens again here, old pages first.
    PDFTest::OpenedFile reopened(after);
    ASSERT_EQ("", reopened.error);
    EXPECT_EQ(5, reopened.document->GetPageCount());
}

TEST(PDFUpdateableDocument, TwoUpdatesInARow)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    std::string target = dir.File("own.pdf");
    ZAVTest::WriteText(target, PDFTest::PagesFile(1).Build());
    AppendPages(target, 2);
    AppendPages(target, 3);
    ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + Quote(target));
    EXPECT_EQ(0, check.exitCode) << check.output;
    EXPECT_EQ(std::string::npos, check.output.find("WARNING")) << check.output;
    ZAVTest::RunResult npages = ZAVTest::Run("qpdf --show-npages " + Quote(target));
    EXPECT_EQ("6\n", npages.output);
    PDFTest::OpenedFile reopened(ZAVTest::ReadText(target));
    ASSERT_EQ("", reopened.error);
    EXPECT_EQ(6, reopened.document->GetPageCount());
}

TEST(PDFUpdateableDocument, CatalogEntriesOfTheFileAreKept)
{
    ZAVTest::TempDir dir;
    std::string target = dir.File("own.pdf");
    PDFTest::FileBuilder file = PDFTest::PagesFile(1);
    file.bodies[0] = "<< /Type /Catalog /Pages 2 0 R /PageMode /UseOutlines /Lang (de) >>";
    ZAVTest::WriteText(target, file.Build());
    AppendPages(target, 1);
    PDFTest::OpenedFile reopened(ZAVTest::ReadText(target));
    ASSERT_EQ("", reopened.error);
    EXPECT_TRUE(reopened.document->GetRootCatalog()->EntryTextEquals("/PageMode", "/UseOutlines"));
    EXPECT_TRUE(reopened.document->GetRootCatalog()->HasKey("/Lang"));
}

TEST(PDFUpdateableDocument, TheFilesInformationIsKept)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ZAVTest::TempDir dir;
    std::string target = dir.File("own.pdf");
    PDFTest::FileBuilder file = PDFTest::PagesFile(1);
    const int info =
        file.Add("<< /Title (Annual report) /Author (The author) /CreationDate (D:19990102030405+01'00') >>");
    file.trailerEntries += " /Info " + std::to_string(info) + " 0 R";
    ZAVTest::WriteText(target, file.Build());
    AppendPages(target, 1);

    ZAVTest::RunResult shown = ZAVTest::Run("pdfinfo -isodates " + Quote(target));
    EXPECT_EQ(0, shown.exitCode) << shown.output;
    EXPECT_NE(std::string::npos, shown.output.find("Annual report")) << shown.output;
    EXPECT_NE(std::string::npos, shown.output.find("The author")) << shown.output;
    EXPECT_NE(std::string::npos, shown.output.find("1999-01-02T03:04:05+01")) << shown.output;
    PDFTest::OpenedFile reopened(ZAVTest::ReadText(target));
    ASSERT_EQ("", reopened.error);
    EXPECT_EQ("Annual report", reopened.document->GetInfo().GetTitle());
    EXPECT_EQ("D:19990102030405+01'00'", reopened.document->GetInfo().GetCreationDate());
    EXPECT_EQ(2, reopened.document->GetPageCount());
}

TEST(PDFUpdateableDocument, ImportTakesThePageAloneWithWhatItInherits)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    std::string target = dir.File("own.pdf");
    ZAVTest::WriteText(target, PDFTest::PagesFile(1).Build());
    std::string before = ZAVTest::ReadText(target);

    // Five pages whose media box and resources stand on their tree node.
    PDFTest::FileBuilder source;
    source.Add("<< /Type /Catalog /Pages 2 0 R >>");
    source.Add("<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R 6 0 R 7 0 R] /Count 5 "
               "/MediaBox [0 0 123 456] /Resources << /ProcSet [/PDF] >> >>");
    for (int i = 0; i < 5; ++i)
        source.Add("<< /Type /Page /Parent 2 0 R /Contents 8 0 R >>");
    source.Add("<< /Length 9 >>\r\nstream\r\n0 0 m S\r\n\r\nendstream");
    std::string sourceBytes = source.Build();
    PDFTest::OpenedFile opened(sourceBytes);
    ASSERT_EQ("", opened.error);
    {
        CPDFUpdateableDocument update;
        update.ReadIncrementalUpdateFile(target.c_str());
        update.ImportPage(opened.document->GetPage(2)->GetPageObject());
        update.WriteUpdate(target.c_str());
    }
    TransferObjectsMap().Clear();
    std::string update = ZAVTest::ReadText(target).substr(before.size());
    // The page, its contents, the new tree root, /Info, the catalog and the old root.
    EXPECT_EQ(6u, ObjectHeaders(update).size()) << update;
    EXPECT_NE(std::string::npos, update.find("/MediaBox [0 0 123 456]"));
    EXPECT_NE(std::string::npos, update.find("/ProcSet [/PDF]"));
    ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + Quote(target));
    EXPECT_EQ(0, check.exitCode) << check.output;
    EXPECT_EQ(std::string::npos, check.output.find("WARNING")) << check.output;
    // The source document is left as it was.
    EXPECT_EQ(5, opened.document->GetPageCount());
    CPDFObjectBase* sourcePage = opened.document->GetPage(2)->GetPageObject()->GetInnerObject().get();
    CPDFDictionary* sourceDictionary = static_cast<CPDFDictionary*>(sourcePage);
    EXPECT_FALSE(sourceDictionary->HasKey("/MediaBox"));
    EXPECT_EQ(sourcePage, sourceDictionary->Get("/Contents")->GetParent());
}

// A one-page file with one filled text field. Its form holds the given
// entries besides /Fields; an indirect form has its /Fields as an array
// object too.
std::string FormFile(const std::string& name, const std::string& value, const std::string& formEntries,
                     bool indirect = false)
{
    PDFTest::FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R /AcroForm " +
             (indirect ? "6 0 R" : "<< /Fields [4 0 R] " + formEntries + " >>") + " >>");
    file.Add("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    file.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] /Annots [4 0 R] >>");
    file.Add("<< /Type /Annot /Subtype /Widget /FT /Tx /T (" + name + ") /V (" + value +
             ") /Rect [20 20 200 50] /P 3 0 R >>");
    if (indirect) {
        file.Add("[4 0 R]");
        file.Add("<< /Fields 5 0 R " + formEntries + " >>");
    }
    return file.Build();
}

TEST(PDFUpdateableDocument, AFormPageJoinsTheFormOfTheFile)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    const std::string sourceBytes =
        FormFile("name", "Filled value", "/NeedAppearances true /DA (/Cour 10 Tf 0 g) /DR << /Font << >> >>");
    PDFTest::OpenedFile source(sourceBytes);
    ASSERT_EQ("", source.error);
    for (bool indirect : {false, true}) {
        ZAVTest::TempDir dir;
        const std::string target = dir.File("own.pdf");
        ZAVTest::WriteText(target, FormFile("own", "Kept",
                                            "/DA (/Helv 0 Tf 0 g) /DR << /Font << /Helv << /Type /Font "
                                            "/Subtype /Type1 /BaseFont /Helvetica >> >> >>",
                                            indirect));
        {
            CPDFUpdateableDocument update;
            update.ReadIncrementalUpdateFile(target.c_str());
            update.ImportPage(source.document->GetPage(0)->GetPageObject());
            update.WriteUpdate(target.c_str());
        }
        TransferObjectsMap().Clear();

        const ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + Quote(target));
        EXPECT_EQ(0, check.exitCode) << check.output;
        const ZAVTest::RunResult summary =
            ZAVTest::Run("/usr/bin/python3 " + Quote(ZAVTest::DataPath("forms/form_summary.py")) + " " + Quote(target));
        EXPECT_EQ(0, summary.exitCode) << summary.output;
        // The file's own fields and defaults stay; the copied field joins
        // them, and what the file's form lacks comes from the source's.
        EXPECT_EQ(summary.output, "/DA \"u:/Helv 0 Tf 0 g\"\n"
                                  "/DR {\"/Font\": {\"/Helv\": {\"/BaseFont\": \"/Helvetica\", \"/Subtype\": "
                                  "\"/Type1\", \"/Type\": \"/Font\"}}}\n"
                                  "/NeedAppearances true\n"
                                  "/Fields [\"u:own\", \"u:name\"]\n"
                                  "field own /Tx \"u:Kept\" top page 1 state \n"
                                  "field name /Tx \"u:Filled value\" top page 2 state \n")
            << (indirect ? "indirect form" : "form in the catalog");
    }
}

TEST(PDFUpdateableDocument, MissingFileIsWrittenWhole)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    std::string target = dir.File("new.pdf");
    EXPECT_EQ("", AppendPages(target, 2));
    std::string bytes = ZAVTest::ReadText(target);
    EXPECT_EQ(0u, bytes.find("%PDF-1.4"));
    EXPECT_EQ(std::string::npos, bytes.find("/Prev"));
    ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + Quote(target));
    EXPECT_EQ(0, check.exitCode) << check.output;
    ZAVTest::RunResult npages = ZAVTest::Run("qpdf --show-npages " + Quote(target));
    EXPECT_EQ("2\n", npages.output);
}

TEST(PDFUpdateableDocument, FailedUpdateLeavesTheFileByteIdentical)
{
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ZAVTest::TempDir dir;
    std::string target = MakeGhostscriptFile(dir, 2);
    std::vector<uint8_t> before = ZAVTest::ReadBytes(target);

    std::string sourceBytes = PDFTest::PagesFile(1).Build();
    PDFTest::OpenedFile source(sourceBytes);
    CPDFUpdateableDocument update;
    update.ReadIncrementalUpdateFile(target.c_str());
    update.ImportPage(source.document->GetPage(0)->GetPageObject());
    update.GetCrt()->SetTrailer(boost::shared_ptr<CPDFDictionary>());  // fails after the objects are out
    try {
        update.WriteUpdate(target.c_str());
        FAIL() << "the update did not fail";
    } catch (const CTextException& e) {
        EXPECT_EQ("Can't open existing PDF '" + target + "' for incremental update! Trailer is missing in original CRT",
                  std::string(e.GetText()));
    }
    TransferObjectsMap().Clear();
    EXPECT_EQ(before, ZAVTest::ReadBytes(target));
}

TEST(PDFUpdateableDocument, UnreadableFileKeepsItsCause)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* cause;
    } cases[] = {
        {"no PDF", "%PDF-1.4\nthis is no PDF file at all, just some text to be long enough\n",
         "File contains invalid EOF marker"},
        // Offsets of an update count from the first byte; the file's own from its header.
        {"bytes before the header", "junk\r\n" + PDFTest::PagesFile(1).Build(),
         "Appending to a PDF file with bytes before its header is not supported!"},
    };
    for (const auto& c : cases) {
        ZAVTest::TempDir dir;
        std::string target = dir.File("broken.pdf");
        ZAVTest::WriteText(target, c.bytes);
        CPDFUpdateableDocument update;
        try {
            update.ReadIncrementalUpdateFile(target.c_str());
            ADD_FAILURE() << c.name;
        } catch (const CTextException& e) {
            EXPECT_EQ(std::string("Can't parse existing PDF for incremental update!\n") + c.cause, e.GetText())
                << c.name;
        }
        EXPECT_EQ(c.bytes, ZAVTest::ReadText(target)) << c.name;
    }
}

TEST(PDFUpdateableDocument, UpdateObjectAppendsEachChangedObjectOnce)
{
    CPDFUpdateableDocument document;
    boost::shared_ptr<CPDFObject> changed = document.AddObject(CreatePDFDictionary(&document));
    static_cast<CPDFDictionary*>(changed->GetInnerObject().get())->SetInteger("/A", 1);
    boost::shared_ptr<CPDFObject> unchanged = document.AddObject(CreatePDFDictionary(&document));
    unchanged->SetModified(false);
    boost::shared_ptr<CPDFArray> holder = CreatePDFArray(&document);
    for (const boost::shared_ptr<CPDFObject>& target : {changed, changed, unchanged}) {
        boost::shared_ptr<CPDFRef> reference = CreatePDFRef(&document, target->GetObjectNumber(), 0);
        reference->SetCachedObject(target);
        holder->Add(reference);
    }
    holder->Add(CreatePDFRef(&document, 99, 0));  // never resolved: not followed, nothing loaded
    std::ostringstream out;
    out << "prefix";
    CPDFCrt table;
    CPDFVisitedMap visited(100);
    testing::internal::CaptureStdout();
    document.UpdateObject(visited, holder, out, table);
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(std::string("prefix") + std::to_string(changed->GetObjectNumber()) +
                  " 0 obj\r\n<<\r\n/A 1>>\r\nendobj\r\n\r\n",
              out.str());
    int generation = 0, offset = 0;
    char type = 0;
    ASSERT_TRUE(table.GetEntry(changed->GetObjectNumber(), generation, offset, type));
    EXPECT_EQ(6, offset);
    EXPECT_FALSE(table.GetEntry(unchanged->GetObjectNumber(), generation, offset, type));
}

TEST(PDFUpdateableDocument, NewObjectNumbersFollowBothTables)
{
    ZAVTest::TempDir dir;
    std::string target = dir.File("nine.pdf");
    PDFTest::FileBuilder file = PDFTest::PagesFile(7);  // objects 1 to 9
    ZAVTest::WriteText(target, file.Build());
    CPDFUpdateableDocument update;
    update.ReadIncrementalUpdateFile(target.c_str());
    // The catalog read when /Root was resolved keeps its number in the file.
    EXPECT_TRUE(update.HasObjectKey("1-" + update.GetKeyText()));
    EXPECT_FALSE(update.HasObjectKey("10-" + update.GetKeyText()));
    int number = 0, generation = -1;
    update.GetNewObjectNumber(number, generation);
    EXPECT_EQ(10, number);
    EXPECT_EQ(0, generation);
}

}  // namespace
