// Copying pages and object graphs from one document into another.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "PDFReadBack.h"
#include "PDFTestFiles.h"
#include "PDFTestDocuments.h"
#include "foundation/datasource/DataSource.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/document/PDFTransfer.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using namespace ZAVPDFTest;
using ZAVTest::ThrownText;

namespace {

// The transfer map is process-wide: every test starts and ends with it empty.
class PDFImportTest : public ::testing::Test {
protected:
    void SetUp() override { TransferObjectsMap().Clear(); }
    void TearDown() override { TransferObjectsMap().Clear(); }
};

std::string FontOfPage(CPDFDocument& document, int index)
{
    CPDFDictionary* page = GetPDFDictionary(document.GetPage(index)->GetPageObject(), true);
    CPDFDictionary* font =
        page->GetDictionary("/Resources", true)->GetDictionary("/Font", true)->GetDictionary("/F1", true);
    return font->GetName("/BaseFont", true)->GetName();
}

}  // namespace

TEST_F(PDFImportTest, PagesSharingAFontCopyItOnceAndPassTheCheckers)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    SharedFontDocument source(3);
    CPDFDocument target;
    target.ImportPage(source.pages[0]);
    target.ImportPage(source.pages[2]);
    ASSERT_EQ(2, target.GetPageCount());

    const boost::shared_ptr<CPDFObject>& first = target.GetPage(0)->GetPageObject();
    const boost::shared_ptr<CPDFObject>& second = target.GetPage(1)->GetPageObject();
    EXPECT_EQ(&target, first->GetDocument());
    EXPECT_NE(source.pages[0], first);
    // Both copies lead to one copied font object in the target.
    auto fontOf = [](const boost::shared_ptr<CPDFObject>& page) {
        return GetPDFDictionary(page, true)
            ->GetDictionary("/Resources", true)
            ->GetDictionary("/Font", true)
            ->GetRef("/F1", false)
            ->GetReferencedObject();
    };
    EXPECT_EQ(fontOf(first), fontOf(second));
    EXPECT_EQ(&target, fontOf(first)->GetDocument());
    // The source is left as it was.
    EXPECT_EQ(&source.document, source.pages[0]->GetDocument());

    ZAVTest::TempDir dir;
    const std::string path = dir.File("imported.pdf");
    const std::string file = WriteToFile(target, path);
    EXPECT_EQ(1, CountOf(file, "/BaseFont"));
    EXPECT_EQ("", QpdfProblems(path));
    EXPECT_EQ("2", PdfInfoField(path, "Pages"));
    ZAVTest::RunResult text = ZAVTest::Run("pdftotext " + ZAVTest::ShellQuote(path) + " -");
    EXPECT_NE(std::string::npos, text.output.find("Page 1"));
    EXPECT_NE(std::string::npos, text.output.find("Page 3"));
}

TEST_F(PDFImportTest, CycleOfReferencesIsCopiedWithoutEndlessRecursion)
{
    CPDFDocument source;
    CPDFDictionary* a = nullptr;
    CPDFDictionary* b = nullptr;
    boost::shared_ptr<CPDFObject> objectA = CreateIndirectDictionary(&source, a);
    boost::shared_ptr<CPDFObject> objectB = CreateIndirectDictionary(&source, b);
    source.AddObject(objectA);
    source.AddObject(objectB);
    a->SetName("/Name", "/A");
    a->SetRef("/Next", objectB->GetObjectNumber(), 0);
    b->SetName("/Name", "/B");
    b->SetRef("/Next", objectA->GetObjectNumber(), 0);
    b->SetRef("/Self", objectB->GetObjectNumber(), 0);

    CPDFDocument target;
    target.AddObject(CreatePDFObject(&target));
    CPDFVisitedMap references(100);
    CPDFKeySet keys;
    CPDFObjectPtr copy = objectA->Clone(&source, &target, references, keys, false);
    CPDFDictionary* copyA = GetPDFDictionary(copy, true);
    boost::shared_ptr<CPDFObject> copyB = copyA->GetRef("/Next", false)->GetReferencedObject();
    CPDFDictionary* copyBDictionary = GetPDFDictionary(copyB, true);
    EXPECT_EQ("/B", copyBDictionary->GetName("/Name", false)->GetName());
    EXPECT_EQ(copy, CPDFObjectPtr(copyBDictionary->GetRef("/Next", false)->GetReferencedObject()));
    EXPECT_EQ(copyB, copyBDictionary->GetRef("/Self", false)->GetReferencedObject());
    EXPECT_EQ(std::to_string(copy->GetObjectNumber()) + " 0 R", copyBDictionary->Get("/Next")->ToPDFString());
    // Exactly the two copies were added to the target.
    EXPECT_EQ(4, target.GetCrtSize());
}

TEST_F(PDFImportTest, TwoSourcesImportedWithoutClearingTheMapStaySeparate)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    SharedFontDocument helvetica(1);
    SharedFontDocument courier(1);
    GetPDFDictionary(courier.font, true)->SetName("/BaseFont", "/Courier");
    // Both sources number their objects alike.
    ASSERT_EQ(helvetica.font->GetObjectNumber(), courier.font->GetObjectNumber());

    CPDFDocument target;
    target.ImportPage(helvetica.pages[0]);
    target.ImportPage(courier.pages[0]);
    EXPECT_EQ("/Helvetica", FontOfPage(target, 0));
    EXPECT_EQ("/Courier", FontOfPage(target, 1));

    ZAVTest::TempDir dir;
    const std::string path = dir.File("two-sources.pdf");
    const std::string file = WriteToFile(target, path);
    EXPECT_EQ(1, CountOf(file, "/BaseFont/Courier"));
    EXPECT_EQ(1, CountOf(file, "/BaseFont/Helvetica"));
    EXPECT_EQ("", QpdfProblems(path));
}

TEST_F(PDFImportTest, TransferEntriesNeedObjectsAndAreBoundToTheirSource)
{
    CPDFDocument source;
    CPDFDocument target;
    boost::shared_ptr<CPDFObject> object = source.AddObject(CreatePDFInteger(&source, 1));
    boost::shared_ptr<CPDFObject> copy = target.AddObject(CreatePDFInteger(&target, 1));
    EXPECT_EQ("Null Poiuter!", ThrownText([&] { CTransferObjectsMapEntry entry(&source, nullptr, &target, copy); }));
    AddTransferEntry(boost::shared_ptr<CTransferObjectsMapEntry>(
        new CTransferObjectsMapEntry(&source, object.get(), &target, copy)));
    EXPECT_EQ(CPDFObjectPtr(copy), FindTransferredObject(object, &target));
    EXPECT_TRUE(FindTransferEntry(object->GetObjectNumber(), &source));
    EXPECT_FALSE(FindTransferEntry(object->GetObjectNumber(), &target));
    // Another document's object with the same number is not redirected.
    CPDFDocument other;
    boost::shared_ptr<CPDFObject> same = other.AddObject(CreatePDFInteger(&other, 2));
    ASSERT_EQ(object->GetObjectNumber(), same->GetObjectNumber());
    EXPECT_FALSE(FindTransferredObject(same, &target));
    EXPECT_FALSE(FindTransferredObject(CreatePDFInteger(&source, 3), &target));
}

TEST_F(PDFImportTest, ImportIntoAFileTreeLinksThePageUnderTheLastNode)
{
    SharedFontDocument target(1);
    CPDFDocument& d = target.document;
    CPDFDictionary* catalog = nullptr;
    boost::shared_ptr<CPDFObject> catalogObject = CreateIndirectDictionary(&d, catalog);
    catalog->SetName("/Type", "/Catalog");
    catalog->SetRef("/Pages", target.pagesObject->GetObjectNumber(), 0);
    d.AddObject(catalogObject);
    d.SetRootCatalog(boost::static_pointer_cast<CPDFDictionary>(catalogObject->GetInnerObject()));

    SharedFontDocument source(1);
    d.ImportPage(source.pages[0]);
    CPDFDictionary* pages = GetPDFDictionary(target.pagesObject, true);
    EXPECT_EQ(2, pages->GetInteger("/Count", false)->GetInteger());
    ASSERT_EQ(2, pages->GetArray("/Kids", false)->GetCount());
    const boost::shared_ptr<CPDFObject>& imported = d.GetPage(1)->GetPageObject();
    EXPECT_EQ(std::to_string(imported->GetObjectNumber()) + " 0 R",
              pages->GetArray("/Kids", false)->Get(1)->ToPDFString());
    EXPECT_EQ(std::to_string(target.pagesObject->GetObjectNumber()) + " 0 R",
              GetPDFDictionary(imported, true)->Get("/Parent")->ToPDFString());
}

TEST_F(PDFImportTest, PageTreeWhoseLastKidLeadsBackIsRefused)
{
    SharedFontDocument target(1);
    CPDFDocument& d = target.document;
    // The /Pages node's last kid is the node itself.
    CPDFDictionary* pages = GetPDFDictionary(target.pagesObject, true);
    pages->GetArray("/Kids", false)->Add(CreatePDFRef(&d, target.pagesObject->GetObjectNumber(), 0));
    CPDFDictionary* catalog = nullptr;
    boost::shared_ptr<CPDFObject> catalogObject = CreateIndirectDictionary(&d, catalog);
    catalog->SetName("/Type", "/Catalog");
    catalog->SetRef("/Pages", target.pagesObject->GetObjectNumber(), 0);
    d.SetRootCatalog(boost::static_pointer_cast<CPDFDictionary>(catalogObject->GetInnerObject()));

    SharedFontDocument source(1);
    EXPECT_EQ("Page tree contains a cycle or is nested too deeply!",
              ThrownText([&] { d.ImportPage(source.pages[0]); }));
}

namespace {

// A chain of indirect dictionaries, each holding a reference to the next.
boost::shared_ptr<CPDFObject> BuildChain(CPDFDocument& document, int length)
{
    boost::shared_ptr<CPDFObject> previous;
    boost::shared_ptr<CPDFObject> head;
    for (int i = 0; i < length; ++i) {
        CPDFDictionary* link = nullptr;
        boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, link);
        document.AddObject(object);
        if (previous)
            GetPDFDictionary(previous, true)->SetRef("/Next", object->GetObjectNumber(), 0);
        else
            head = object;
        previous = object;
    }
    return head;
}

}  // namespace

TEST_F(PDFImportTest, LongChainsOfReferencesCopyUpToALimitAndNeverOverflowTheStack)
{
    {
        CPDFDocument source;
        boost::shared_ptr<CPDFObject> head = BuildChain(source, 1200);
        CPDFDocument target;
        CPDFVisitedMap references(100);
        CPDFKeySet keys;
        head->Clone(&source, &target, references, keys, false);
        EXPECT_EQ(1201, target.GetCrtSize());
    }
    TransferObjectsMap().Clear();
    CPDFDocument source;
    boost::shared_ptr<CPDFObject> head = BuildChain(source, 5000);
    CPDFDocument target;
    CPDFVisitedMap references(100);
    CPDFKeySet keys;
    EXPECT_EQ("PDF object structure is nested too deeply!",
              ThrownText([&] { head->Clone(&source, &target, references, keys, false); }));
    CPDFDocument other;
    EXPECT_EQ("PDF object structure is nested too deeply!", ThrownText([&] { other.AddObjectTree(head); }));
}

TEST_F(PDFImportTest, APageComesAloneWithWhatItInheritsAndTheSourceStaysAsItWas)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    // Three pages whose media box, resources and rotation stand on their tree node.
    PDFTest::FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R >>");
    file.Add("<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 /MediaBox [0 0 123 456] /Rotate 90 "
             "/Resources << /ProcSet [/PDF] >> >>");
    for (int i = 0; i < 3; ++i)
        file.Add("<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(6 + i) + " 0 R >>");
    for (int i = 0; i < 3; ++i)
        file.Add("<< /Length 7 >>\r\nstream\r\n0 0 m S\r\nendstream");
    std::string bytes = file.Build();
    PDFTest::OpenedFile source(bytes);
    ASSERT_EQ("", source.error);

    CPDFDocument target;
    const boost::shared_ptr<CPDFObject>& page = source.document->GetPage(1)->GetPageObject();
    target.ImportPage(page);
    ZAVTest::TempDir dir;
    const std::string path = dir.File("one.pdf");
    const std::string written = WriteToFile(target, path);
    // The page, its contents, /Pages, /Catalog, /Info: no other page came along.
    EXPECT_EQ(5, CountOf(written, " obj"));
    EXPECT_EQ(1, CountOf(written, "endstream"));
    EXPECT_EQ(1, CountOf(written, "/Type/Page\r\n"));
    for (const char* inherited : {"/MediaBox [0 0 123 456]", "/Rotate 90", "/ProcSet [/PDF]"})
        EXPECT_EQ(1, CountOf(written, inherited)) << inherited;
    EXPECT_EQ("", QpdfProblems(path));

    // The source page holds what it held, and its entries are still its own.
    CPDFDictionary* sourcePage = GetPDFDictionary(page, true);
    EXPECT_EQ((std::vector<std::string>{"/Type", "/Parent", "/Contents"}), sourcePage->GetOriginalKeys());
    EXPECT_EQ(sourcePage, sourcePage->Get("/Parent")->GetParent());
    CPDFDictionary* node = GetPDFDictionary(sourcePage->GetRef("/Parent", false)->GetReferencedObject(), true);
    EXPECT_EQ(node, node->Get("/MediaBox")->GetParent());
}

TEST_F(PDFImportTest, PageOfAFileReadFromDiskIsCopiedIntoANewFile)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftotext"));
    ZAVTest::TempDir dir;
    ZAV::CDataSource input;
    CPDFDocument source;
    ASSERT_NO_FATAL_FAILURE(ReadBackSharedFontDocument(3, dir.File("source.pdf"), input, source));

    CPDFDocument target;
    target.GetInfo().SetTitle("Extract");
    target.ImportPage(source.GetPage(1)->GetPageObject());
    TransferObjectsMap().Clear();
    target.ImportPage(source.GetPage(2)->GetPageObject());
    const std::string path = dir.File("extract.pdf");
    const std::string file = WriteToFile(target, path);
    EXPECT_EQ("", QpdfProblems(path));
    EXPECT_EQ("2", PdfInfoField(path, "Pages"));
    EXPECT_EQ("Extract", PdfInfoField(path, "Title"));
    ZAVTest::RunResult text = ZAVTest::Run("pdftotext " + ZAVTest::ShellQuote(path) + " -");
    const size_t second = text.output.find("Page 2");
    const size_t third = text.output.find("Page 3");
    EXPECT_NE(std::string::npos, second) << text.output;
    EXPECT_NE(std::string::npos, third);
    EXPECT_LT(second, third);
    // The numbers of the page's media box come through unchanged.
    EXPECT_NE(std::string::npos, file.find("[0.00 0.00 595.2756 841.8898]"));
}
