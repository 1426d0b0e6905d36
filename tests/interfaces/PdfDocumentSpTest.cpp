#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/ZAVPdfPage.h"
#include "interfaces/ZAVPdfPageSp.h"

#include "PdfFileBuilder.h"
#include "foundation/text/TextException.h"
#include "foundation/coding/ZlibCoding.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "support/TestSupport.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ZAV;

// Three pages made by Ghostscript, each with its number as text.
std::string MakeThreePagePdf(const ZAVTest::TempDir& dir)
{
    EXPECT_TRUE(ZAVTest::HaveTool("gs"));
    const std::string ps = dir.File("three.ps");
    const std::string pdf = dir.File("three.pdf");
    ZAVTest::WriteText(ps, "%!PS\n/Helvetica findfont 24 scalefont setfont\n"
                           "1 1 3 { /n exch def 72 700 moveto (Page ) show n 3 string cvs show "
                           "100 100 n 50 mul 50 rectfill showpage } for\n");
    EXPECT_EQ(ZAVTest::Run("gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -sOutputFile=" + ZAVTest::ShellQuote(pdf) + " " +
                           ZAVTest::ShellQuote(ps))
                  .exitCode,
              0);
    return pdf;
}

std::string Deflated(const std::string& text)
{
    const std::vector<uint8_t> bytes = ZlibCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return std::string(bytes.begin(), bytes.end());
}

std::string ContentOf(IZAVPdfPageSp* page, bool decode)
{
    CZAVPtr<IZAVArrayByteSp> bytes = page->GetContentData(decode ? 1 : 0);
    EXPECT_EQ(bytes->GetRefCount(), 1);
    std::string text;
    for (int32_t i = 0; i < bytes->GetSize(); ++i)
        text += static_cast<char>(bytes->GetAt(i));
    return text;
}

TEST(PdfDocumentSp, ANewObjectHoldsAnEmptyDocument)
{
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    EXPECT_EQ(document->GetRefCount(), 1);
    EXPECT_EQ(document->GetPageCount(), 0);
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->GetPage(0); }), "No Pdf document loaded!");
    EXPECT_EQ(document->GetFileName(), "");

    EXPECT_TRUE(document->SupportsInterface(1));
    EXPECT_TRUE(document->SupportsInterface(104));
    EXPECT_FALSE(document->SupportsInterface(103));
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->QueryInterface(103); }), "Interface not available!");
    EXPECT_EQ(document->GetRefCount(), 1);

    IZAVPdfDocumentInfoCpp* info = document->GetDocumentInfo();
    EXPECT_EQ(info->GetPdfVersion(), "1.4");
    EXPECT_EQ(info->GetCreator(), "ZAVImage Version 5.0");
    EXPECT_EQ(info->GetLayersName(), "Layers");
    info->SetTitle("A title");
    EXPECT_EQ(info->GetTitle(), "A title");
    EXPECT_NE(ZAVTest::ThrownText([&] { info->SetModDate("yesterday"); }), "(nothing thrown)");

    document->SetJbig2PluginPath("/x/ZAVJbg20.so");
    document->SetLogFileName("log.txt");
    EXPECT_EQ(document->GetJbig2PluginPath(), "/x/ZAVJbg20.so");
    EXPECT_EQ(document->GetLogFileName(), "log.txt");
    EXPECT_EQ(document->GetDocumentOption(), 1);
    EXPECT_EQ(document->SetDocumentOption(0), 0);
    EXPECT_EQ(document->GetDocumentOption(), 0);

    // The object view reaches the document of the object model.
    CZAVPtr<IZAVObjectSp> view = document->GetObjectSp();
    EXPECT_EQ(document->GetRefCount(), 2);
    EXPECT_TRUE(static_cast<CZAVPdfDocument*>(view->GetImplementation())->GetDocument());
}

TEST(PdfDocumentSp, LoadsAFileAndKeepsItWhenTheNextLoadFails)
{
    ZAVTest::TempDir dir;
    const std::string three = MakeThreePagePdf(dir);
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->Load(three);
    EXPECT_EQ(document->GetFileName(), three);
    EXPECT_EQ(document->GetPageCount(), 3);
    EXPECT_EQ(document->GetDocumentInfo()->GetPdfVersion(), "1.7");

    const std::string missing = dir.File("missing.pdf");
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->Load(missing); }), "File '" + missing + "' not found!");
    const std::string broken = dir.File("broken.pdf");
    ZAVTest::WriteText(broken, "%PDF-1.4\nthis is not a PDF body\n");
    EXPECT_NE(ZAVTest::ThrownText([&] { document->Load(broken); }), "(nothing thrown)");
    // A file that cannot be mapped (an empty one) is still read, and refused
    // by the parser; a folder is no file.
    const std::string empty = dir.File("empty.pdf");
    ZAVTest::WriteText(empty, "");
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->Load(empty); }), "Can't parse PDF file! Error parsing PDF trailer");
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->Load(dir.File("")); }), "File '" + dir.File("") + "' not found!");
    // What was loaded before is still there.
    EXPECT_EQ(document->GetFileName(), three);
    EXPECT_EQ(document->GetPageCount(), 3);
    CZAVPtr<IZAVPdfPageSp> page = document->GetPage(2);
    EXPECT_NE(ContentOf(page.Get(), true).find("(Page 3)Tj"), std::string::npos);
}

TEST(PdfDocumentSp, PageObjectsAnswerTheirOwnInterfaceAndKeepTheirPage)
{
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->Load(MakeThreePagePdf(dir));
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->GetPage(3); }), "Page does not exist!");

    CZAVPtr<IZAVPdfPageSp> first = document->GetPage(0);
    EXPECT_EQ(first->GetRefCount(), 1);
    EXPECT_TRUE(first->SupportsInterface(103));
    EXPECT_FALSE(first->SupportsInterface(104));
    EXPECT_EQ(ZAVTest::ThrownText([&] { first->QueryInterface(104); }), "Interface not available!");
    EXPECT_EQ(first->GetRefCount(), 1);

    CZAVPtr<IZAVPdfPageSp> second = document->GetPage(0);
    const std::string content = ContentOf(second.Get(), true);
    first.Reset();
    EXPECT_EQ(ContentOf(second.Get(), true), content);

    // A page stays readable when its document object loads another file.
    document->Load(MakeThreePagePdf(dir));
    EXPECT_EQ(ContentOf(second.Get(), true), content);
}

TEST(PdfDocumentSp, ContentDataIsTheFirstStreamInflatedOnRequest)
{
    ZAVTest::TempDir dir;
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int pages = pdf.Reserve();
    const std::string flate = "0 0 m 10 10 l S";
    const int a = pdf.AddStream("/Filter /FlateDecode", Deflated(flate));
    const int b = pdf.AddStream("", "1 0 0 RG");
    const int emptyArray = pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Contents [] >>");
    const int twoStreams = pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Contents [" +
                                   std::to_string(a) + " 0 R " + std::to_string(b) + " 0 R] >>");
    const int none = pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>");
    const int plain =
        pdf.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Contents " + std::to_string(b) + " 0 R >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Set(pages, "<< /Type /Pages /Count 4 /Kids [" + std::to_string(emptyArray) + " 0 R " +
                       std::to_string(twoStreams) + " 0 R " + std::to_string(none) + " 0 R " + std::to_string(plain) +
                       " 0 R] >>");
    ZAVTest::WriteText(dir.File("content.pdf"), pdf.Build(catalog));

    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->Load(dir.File("content.pdf"));
    ASSERT_EQ(document->GetPageCount(), 4);
    EXPECT_EQ(ContentOf(document->GetPage(0).Get(), true), "");
    EXPECT_EQ(ContentOf(document->GetPage(1).Get(), true), flate);
    EXPECT_EQ(ContentOf(document->GetPage(1).Get(), false), Deflated(flate));
    EXPECT_EQ(ContentOf(document->GetPage(2).Get(), true), "");
    EXPECT_EQ(ContentOf(document->GetPage(3).Get(), true), "1 0 0 RG");
}

TEST(PdfDocumentSp, SavesWholeFilesOrReportsTheFailure)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVPdfDocumentSp> source = CreatePdfDocumentSp();
    source->Load(MakeThreePagePdf(dir));
    CZAVPtr<IZAVPdfDocumentSp> target = CreatePdfDocumentSp();
    target->AddPage(source->GetPage(1).Get());
    EXPECT_EQ(target->GetPageCount(), 1);

    const std::string out = dir.File("out.pdf");
    target->Save(out);
    auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(out));
    EXPECT_EQ(check.exitCode, 0) << check.output;

    const std::string nowhere = dir.File("no/such/folder/out.pdf");
    const std::string failure = ZAVTest::ThrownText([&] { target->Save(nowhere); });
    EXPECT_EQ(failure.rfind("Can't write file '" + nowhere + "'!", 0), 0u) << failure;
    EXPECT_FALSE(ZAVTest::FileExists(nowhere));
}

int Occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(PdfDocumentSp, AppendsPagesToAFileOneUpdateEach)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftotext"));
    ZAVTest::TempDir dir;
    const std::string source = MakeThreePagePdf(dir);
    const std::string target = dir.File("target.pdf");
    ASSERT_EQ(
        ZAVTest::Run("qpdf --empty --pages " + ZAVTest::ShellQuote(source) + " 2 -- " + ZAVTest::ShellQuote(target))
            .exitCode,
        0);
    const std::string before = ZAVTest::ReadText(target);

    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    EXPECT_EQ(ZAVTest::ThrownText([&] { document->AppendDocumentPageToFile(target); }), "No Pdf document loaded!");
    document->Load(source);
    document->AppendDocumentPageToFile(target);
    document->AppendPageToFile(target, document->GetPage(0).Get());

    const std::string after = ZAVTest::ReadText(target);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(Occurrences(after, "%%EOF"), Occurrences(before, "%%EOF") + 4);
    auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(target));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(ZAVTest::Run("pdftotext " + ZAVTest::ShellQuote(target) + " -").output,
              "Page 2\n\n\fPage 1\n\n\fPage 2\n\n\fPage 3\n\n\fPage 1\n\n\f");

    // A file that is no PDF is left as it was.
    const std::string text = dir.File("notes.pdf");
    ZAVTest::WriteText(text, "just some notes\n");
    EXPECT_NE(ZAVTest::ThrownText([&] { document->AppendPageToFile(text, document->GetPage(0).Get()); }),
              "(nothing thrown)");
    EXPECT_EQ(ZAVTest::ReadText(text), "just some notes\n");
}

}  // namespace

TEST(PdfDocumentSp, ALoadedDocumentSavedAnewKeepsEveryPageAndStaysReadable)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->Load(MakeThreePagePdf(dir));
    const std::string out = dir.File("copy.pdf");
    document->Save(out);

    auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(out));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(ZAVTest::Run("qpdf --show-npages " + ZAVTest::ShellQuote(out)).output, "3\n");
    // Objects the save did not need are still read from the original file.
    CZAVPtr<IZAVPdfPageSp> last = document->GetPage(2);
    EXPECT_FALSE(ContentOf(last.Get(), true).empty());
}
