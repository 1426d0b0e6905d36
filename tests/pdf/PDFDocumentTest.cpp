// The document's object map, numbering, pages, look-ups and information.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "PDFReadBack.h"
#include "PDFTestDocuments.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using namespace ZAVPDFTest;
using ZAVTest::ThrownText;

TEST(PDFDocumentTest, ObjectsAreNumberedInTheOrderTheyAreAdded)
{
    CPDFDocument d;
    for (int expected = 1; expected <= 5; ++expected) {
        boost::shared_ptr<CPDFObject> object = d.AddObject(CreatePDFObject(&d));
        EXPECT_EQ(expected, object->GetObjectNumber());
        EXPECT_EQ(0, object->GetGenerationNumber());
    }
    EXPECT_EQ(6, d.GetCrtSize());
    EXPECT_EQ(5u, d.GetObjectKeys().size());
}

TEST(PDFDocumentTest, AddObjectWrapsDirectObjectsAndRefusesDuplicates)
{
    CPDFDocument d;
    CPDFObjectPtr dictionary = CreatePDFDictionary(&d);
    boost::shared_ptr<CPDFObject> wrapper = d.AddObject(dictionary);
    EXPECT_EQ(dictionary, wrapper->GetInnerObject());
    EXPECT_EQ(wrapper.get(), dictionary->GetParent());
    EXPECT_FALSE(wrapper->IsModified());
    EXPECT_EQ(wrapper, d.FindObjectByNumber(1, &d));
    EXPECT_EQ("Object already present in object map", ThrownText([&] { d.AddObject(wrapper); }));
    EXPECT_EQ("Null pointer provided for object", ThrownText([&] { d.AddObject(CPDFObjectPtr()); }));
}

TEST(PDFDocumentTest, ObjectOfAnotherDocumentIsRenumberedAndKeepsItsOldKey)
{
    CPDFDocument first;
    CPDFDocument second;
    second.AddObject(CreatePDFObject(&second));
    boost::shared_ptr<CPDFObject> object = first.AddObject(CreatePDFInteger(&first, 9));
    const std::string oldKey = object->GetObjectKey();
    boost::shared_ptr<CPDFObject> moved = second.AddObject(object);
    EXPECT_EQ(object, moved);
    EXPECT_EQ(2, moved->GetObjectNumber());
    EXPECT_EQ(&second, moved->GetDocument());
    EXPECT_TRUE(second.HasObjectKey(oldKey));
    EXPECT_FALSE(second.IsOwnKey(oldKey));
    // A reference that still carries the old number and key text finds it.
    EXPECT_EQ(moved, second.FindObjectByKeyText(1, first.GetKeyText()));
}

TEST(PDFDocumentTest, RemovedObjectsAreGoneFromMapButNotFromNumbering)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFObject> a = d.AddObject(CreatePDFObject(&d));
    boost::shared_ptr<CPDFObject> b = d.AddObject(CreatePDFObject(&d));
    d.RemoveObject(a->GetObjectNumber());
    d.RemoveObject(99);
    EXPECT_FALSE(d.FindObjectByNumber(1, &d));
    EXPECT_EQ(b, d.FindObjectByNumber(2, &d));
    EXPECT_EQ(1u, d.GetObjectKeys().size());
    EXPECT_EQ(3, d.AddObject(CreatePDFObject(&d))->GetObjectNumber());
}

TEST(PDFDocumentTest, PagesAndTheirErrors)
{
    CPDFDocument d;
    EXPECT_EQ("Page does not exist!", ThrownText([&] { d.GetPage(0); }));
    boost::shared_ptr<CPDFPage> page = d.AddPage();
    EXPECT_EQ(page, d.GetPage(0));
    EXPECT_EQ("Page does not exist!", ThrownText([&] { d.GetPage(-1); }));
    EXPECT_EQ("Page does not exist!", ThrownText([&] { d.GetPage(1); }));
    EXPECT_EQ("Page does not exist!", ThrownText([&] { d.RemovePageObjects(3); }));
    EXPECT_EQ("Null pointer provided for page", ThrownText([&] { d.ImportPage(boost::shared_ptr<CPDFObject>()); }));
}

TEST(PDFDocumentTest, DatesAreCheckedAndGetTheirPrefix)
{
    CPDFDocument d;
    CPDFInfo& info = d.GetInfo();
    EXPECT_EQ("1.4", info.GetVersion());
    EXPECT_EQ("ZAVImage Version 5.0", info.GetCreator());
    EXPECT_EQ(16u, info.GetCreationDate().size());
    EXPECT_EQ(info.GetCreationDate(), info.GetModDate());
    info.SetCreationDate("20240229120000");
    EXPECT_EQ("D:20240229120000", info.GetCreationDate());
    info.SetModDate("D:20240301000000");
    EXPECT_EQ("D:20240301000000", info.GetModDate());
    const char* message = "Invalid PDF date string. A date value has the format 'D:yyyymmddHHMMSS'!";
    EXPECT_EQ(message, ThrownText([&] { info.SetCreationDate("2024"); }));
    EXPECT_EQ(message, ThrownText([&] { info.SetModDate("D:202403010000001"); }));
    EXPECT_EQ("D:20240301000000", info.GetModDate());
}

TEST(PDFDocumentTest, AddObjectTreeEntersEverythingReferencedOnce)
{
    // Objects of another document linked by references are taken over
    // together: renumbered, and the references follow.
    CPDFDocument d;
    d.AddObject(CreatePDFObject(&d));
    SharedFontDocument source(2);
    boost::shared_ptr<CPDFObject> page = source.pages[0];
    d.AddObjectTree(page);
    // The page, its content, the shared font, the /Pages node and the second
    // page (through /Kids) with its content: 6 objects besides the first.
    int own = 0;
    for (const std::string& key : d.GetObjectKeys())
        own += d.IsOwnKey(key) ? 1 : 0;
    EXPECT_EQ(7, own);
    CPDFDictionary* dictionary = GetPDFDictionary(page, true);
    boost::shared_ptr<CPDFObject> font = boost::static_pointer_cast<CPDFObject>(
        ResolvePDFReference(dictionary->GetDictionary("/Resources", true)->GetDictionary("/Font", true)->Get("/F1")));
    EXPECT_EQ(&d, font->GetDocument());
    EXPECT_EQ(font->GetObjectNumber(), dictionary->GetDictionary("/Resources", true)
                                           ->GetDictionary("/Font", true)
                                           ->GetRef("/F1", false)
                                           ->GetObjectNumber());
    EXPECT_EQ(&d, page->GetDocument());
    EXPECT_TRUE(d.IsOwnKey(page->GetObjectKey()));
}

TEST(PDFDocumentTest, FindAndRemoveStructureObjects)
{
    SharedFontDocument source(1);
    CPDFDocument& d = source.document;
    CPDFFoundObjects pages = d.FindPagesObjects();
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ(source.pagesObject, pages[0].second);
    CPDFKeySet keys;
    d.CollectStructureKeys(keys);
    std::string upper = source.pagesObject->GetObjectKey();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(keys.Contains(upper));
    d.RemovePagesObjects();
    EXPECT_TRUE(d.FindPagesObjects().empty());
    EXPECT_TRUE(d.FindCatalogObjects().empty());
}

TEST(PDFDocumentTest, RemovePageObjectsTakesResourcesAndContents)
{
    SharedFontDocument source(2);
    CPDFDocument& d = source.document;
    const int font = source.font->GetObjectNumber();
    const int page = source.pages[0]->GetObjectNumber();
    d.RemovePageObjects(0);
    EXPECT_FALSE(d.FindObjectByNumber(font, &d));
    EXPECT_FALSE(d.FindObjectByNumber(page, &d));
    EXPECT_TRUE(d.FindObjectByNumber(source.pages[1]->GetObjectNumber(), &d));
    EXPECT_EQ(2, d.GetPageCount());
}

TEST(PDFDocumentTest, AddKidToPagesAppendsAReferenceAndCounts)
{
    SharedFontDocument source(1);
    CPDFDocument& d = source.document;
    boost::shared_ptr<CPDFObject> extra = d.AddObject(CreatePDFDictionary(&d));
    d.AddKidToPages(source.pagesObject, extra);
    CPDFDictionary* pages = GetPDFDictionary(source.pagesObject, true);
    EXPECT_EQ(2, pages->GetInteger("/Count", true)->GetInteger());
    EXPECT_EQ(std::to_string(extra->GetObjectNumber()) + " 0 R", pages->GetArray("/Kids", true)->Get(1)->ToPDFString());
    boost::shared_ptr<CPDFObject> noKids = d.AddObject(CreatePDFDictionary(&d));
    EXPECT_EQ("Kids entry missing in Pages dictionary!", ThrownText([&] { d.AddKidToPages(noKids, extra); }));
}

TEST(PDFDocumentTest, PageCountAtTheLargestIntegerStaysThere)
{
    // A file may claim any /Count; one more page must not overflow it.
    const int largest = std::numeric_limits<int>::max();
    SharedFontDocument source(1);
    CPDFDocument& d = source.document;
    auto newPage = [&d] {
        CPDFDictionary* page = nullptr;
        boost::shared_ptr<CPDFObject> pageObject = CreateIndirectDictionary(&d, page);
        page->SetName("/Type", "/Page");
        return pageObject;
    };
    CPDFDictionary* pages = GetPDFDictionary(source.pagesObject, true);
    pages->SetInteger("/Count", largest);
    d.AddKidToPages(source.pagesObject, d.AddObject(newPage()));
    EXPECT_EQ(largest, pages->GetInteger("/Count", true)->GetInteger());
    EXPECT_EQ(2, pages->GetArray("/Kids", true)->GetCount());

    // The same for a page linked into the tree of a catalog.
    boost::shared_ptr<CPDFDictionary> catalog = CreatePDFDictionary(&d);
    catalog->SetRef("/Pages", source.pagesObject->GetObjectNumber(), 0);
    d.SetRootCatalog(catalog);
    d.ImportPage(newPage());
    EXPECT_EQ(largest, pages->GetInteger("/Count", true)->GetInteger());
    EXPECT_EQ(3, pages->GetArray("/Kids", true)->GetCount());
}

TEST(PDFDocumentTest, UnloadedFileObjectIsReadAgainAlike)
{
    ZAVTest::TempDir dir;
    ZAV::CDataSource input;
    CPDFDocument document;
    ASSERT_NO_FATAL_FAILURE(ReadBackSharedFontDocument(2, dir.File("source.pdf"), input, document));
    const boost::shared_ptr<CPDFObject> page = document.GetPage(0)->GetPageObject();
    CPDFRef* contents = static_cast<CPDFRef*>(GetPDFDictionary(page->GetInnerObject(), true)->Get("/Contents").get());
    ASSERT_EQ(ptRef, contents->GetType());
    const boost::shared_ptr<CPDFObject> first = contents->GetReferencedObject();
    const std::string key = first->GetObjectKey();
    const std::string bytes(reinterpret_cast<const char*>(first->GetStreamData().GetData()), first->GetStreamSize());
    ASSERT_FALSE(bytes.empty());

    contents->ReleaseCachedObject();
    document.UnloadFileObject(first);
    EXPECT_FALSE(document.HasObjectKey(key));
    const boost::shared_ptr<CPDFObject> again = contents->GetReferencedObject();
    EXPECT_NE(first, again);
    EXPECT_EQ(bytes,
              std::string(reinterpret_cast<const char*>(again->GetStreamData().GetData()), again->GetStreamSize()));
    EXPECT_EQ(again, document.FindObject(key));

    // An object the map no longer holds leaves the map as it is.
    document.UnloadFileObject(first);
    EXPECT_EQ(again, document.FindObject(key));
    // The references an unloaded object holds let go of their targets.
    ASSERT_TRUE(document.HasObjectKey(page->GetObjectKey()));
    document.UnloadFileObject(page);
    EXPECT_FALSE(document.HasObjectKey(page->GetObjectKey()));
    EXPECT_FALSE(contents->HasCachedObject());
}
