// Reading whole files: the tail, the cross-reference chain, the page tree,
// objects on demand; files of other tools; and a table of damaged files.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <fstream>
#include <string>

#include "PDFTestFiles.h"
#include "foundation/text/TextException.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/document/PDFInfo.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/parse/PDFParser.h"
#include "pdf/objects/PDFRef.h"
#include "support/TestSupport.h"

using namespace ZAVPDF;
using PDFTest::FileBuilder;
using PDFTest::OpenedFile;

namespace {

// Resolves every object number the table covers; returns how many were in
// use, and fails the test on any object that does not load.
int ResolveEveryObject(CPDFDocument& document)
{
    int inUse = 0;
    std::vector<boost::shared_ptr<CPDFRef>> references;
    int size = document.GetCrt()->GetSize();
    for (int number = 1; number < size; ++number) {
        int generation = 0, offset = 0;
        char type = 0;
        if (!document.GetCrt()->GetEntry(number, generation, offset, type) || type != 'n' || offset < 1)
            continue;
        references.push_back(boost::make_shared<CPDFRef>(&document, number, generation));
        try {
            boost::shared_ptr<CPDFObject> object = references.back()->GetReferencedObject(nullptr, false);
            EXPECT_TRUE(object && object->HasInnerObject()) << "object " << number;
            ++inUse;
        } catch (const CTextException& e) {
            ADD_FAILURE() << "object " << number << ": " << e.GetText();
        }
    }
    return inUse;
}

TEST(PDFFileStructure, ReadsTailTableTrailerCatalogAndPages)
{
    FileBuilder file = PDFTest::PagesFile(3);
    std::string bytes = file.Build();
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    CPDFDocument& document = *opened.document;
    EXPECT_EQ("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n", document.GetFileVersion());
    EXPECT_EQ(static_cast<int>(file.xrefOffset), document.GetStartXref());
    EXPECT_EQ(static_cast<int>(file.xrefOffset), document.GetCrt()->GetXrefOffset());
    ASSERT_TRUE(document.GetFileTrailer());
    EXPECT_TRUE(document.GetFileTrailer()->HasKey("/Size"));
    ASSERT_TRUE(document.GetRootCatalog());
    EXPECT_EQ(3, document.GetPageCount());
    EXPECT_EQ(5, ResolveEveryObject(document));
}

TEST(PDFFileStructure, PageTreeIsWalkedDepthFirstInDocumentOrder)
{
    FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R >>");
    file.Add("<< /Type /Pages /Kids [3 0 R 4 0 R null 5 0 R] /Count 4 >>");
    file.Add("<< /Type /Pages /Kids [6 0 R 7 0 R] /Parent 2 0 R /Count 2 >>");
    file.Add("<< /Type /Page /Parent 2 0 R /Rotate 3 >>");
    file.Add("<< /Type /Page /Parent 2 0 R /Rotate 4 >>");
    file.Add("<< /Type /Page /Parent 3 0 R /Rotate 1 >>");
    file.Add("<< /Type /Page /Parent 3 0 R /Rotate 2 >>");
    std::string bytes = file.Build();
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    ASSERT_EQ(4, opened.document->GetPageCount());
    for (int i = 0; i < 4; ++i) {
        CPDFDictionary* page =
            static_cast<CPDFDictionary*>(opened.document->GetPage(i)->GetPageObject()->GetInnerObject().get());
        EXPECT_EQ("/Rotate " + std::to_string(i + 1),
                  "/Rotate " + std::to_string(page->GetInteger("/Rotate", false)->GetInteger()));
    }
}

TEST(PDFFileStructure, NewestSectionWinsAlongThePrevChain)
{
    FileBuilder file = PDFTest::PagesFile(1);
    std::string bytes = file.Build();
    // Append an update that replaces page 3 with a different media box.
    size_t pageOffset = bytes.size();
    bytes += "3 0 obj\r\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 50 60] >>\r\nendobj\r\n";
    size_t xref = bytes.size();
    char row[32];
    std::snprintf(row, sizeof row, "%010zu 00000 n\r\n", pageOffset);
    bytes += "xref\r\n3 1\r\n" + std::string(row) + "trailer\r\n<< /Size 4 /Root 1 0 R /Prev " +
             std::to_string(file.xrefOffset) + " /Marker true >>\r\nstartxref\r\n" + std::to_string(xref) +
             "\r\n%%EOF\r\n";
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    EXPECT_TRUE(opened.document->GetFileTrailer()->HasKey("/Marker"));
    ASSERT_EQ(1, opened.document->GetPageCount());
    EXPECT_NE(std::string::npos, opened.document->GetPage(0)->GetPageObject()->ToPDFString().find("[0 0 50 60]"));
}

TEST(PDFFileStructure, TailToleratesPaddingAfterTheEndMarker)
{
    const std::string paddings[] = {"", " ", "\r\n\r\n", std::string("\0\0\0\n", 4), " \t\f"};
    for (const std::string& padding : paddings) {
        std::string bytes = PDFTest::PagesFile(1).Build() + padding;
        OpenedFile opened(bytes);
        EXPECT_EQ("", opened.error) << "padding of " << padding.size() << " bytes";
    }
    // NULs padding a file to a block size.
    std::string padded = PDFTest::PagesFile(1).Build() + std::string(40, '\0');
    EXPECT_EQ("", OpenedFile(padded).error);
}

TEST(PDFFileStructure, StartXrefOfAShortFileIsFoundAndTheWindowNeverOverruns)
{
    struct Case {
        std::string tail;
        std::string message;  // "" when the value 1234 is found
    } cases[] = {
        {"startxref\r\n1234\r\n%%EOF\r\n", ""},
        {"xx\nstartxref 1234\n%%EOF", ""},
        {"startxref\r\n1234\r\n%%EOF \r\n", ""},  // a blank after the marker
        {"startxref\r\n1234%%EOF\r\n", "File contains invalid trailer"},
        {"%%EOF", "File contains invalid trailer"},
        {"\r\n\r\n\r\n", "File contains invalid EOF marker"},
        {"startxref\r\n%%EOF\r\n", "Invalid lat CRT offset"},
        {"startxref x1234\n%%EOF", "Invalid lat CRT offset"},
        {"\n1234\n%%EOF", "startxref not found"},
        {"startxrex 1234\n%%EOF", "startxref not found"},
        {"\r\n1234\r\n%%EOF", "startxref not found"},
        {"startxref 99999999999\n%%EOF", "Invalid lat CRT offset"},
    };
    for (const Case& c : cases) {
        PDFTest::ParsedText t(c.tail);
        int offset = 0;
        std::string message;
        try {
            t.parser->ReadStartXref(offset);
        } catch (const CTextException& e) {
            message = e.GetText();
        }
        EXPECT_EQ(c.message, message) << c.tail;
        if (c.message.empty()) {
            EXPECT_EQ(1234, offset) << c.tail;
        }
    }
}

TEST(PDFFileStructure, CrossReferenceRows)
{
    struct Case {
        std::string section;
        std::string message;  // "" when it reads
        std::string log;
    } cases[] = {
        {"xref\r\n0 1\r\n0000000000 65535 f\r\ntrailer\r\n<< >>", "", ""},
        {"xref\n0 2\n0000000000 65535 f \n0000000017 00000 n \ntrailer << >>", "",
         "Invalid character while parsing Cross Reference Table\n"
         "Invalid character while parsing Cross Reference Table\n"},
        {"xref\r\n0  1\r\n0000000000 65535 f\r\ntrailer << >>", "Invalid character while parsing Cross Reference Table",
         ""},
        {"xref\r\n0 1\r\n0000000000 65535 x\r\ntrailer << >>",
         "Invalid type character while parsing Cross Reference Table", ""},
        // Line ends as writers really write them.
        {"xref\n0 2\n0000000000 65535 f\n0000000017 00000 n\ntrailer << >>", "", ""},
        {"xref\r\n0 1\r\n0000000000 65535 f  \r\n\r\ntrailer << >>", "",
         "Invalid character while parsing Cross Reference Table\n"},
        {"xref\r\n0 1\r\n0000000000 65535 f\r\n\r\ntrailer << >>", "", ""},
        // Fields of the wrong width or run together stay refused.
        {"xref\r\n0 1\r\n000000000 65535 f\r\ntrailer << >>",
         "Invalid xref entry length while parsing Cross Reference Table", ""},
        {"xref\r\n0 1\r\n0000000000 065535 f\r\ntrailer << >>",
         "Invalid xref entry length while parsing Cross Reference Table", ""},
        {"xref\r\n0 2\r\n0000000000 65535 f0000000017 00000 n\r\ntrailer << >>",
         "Invalid xref entry length while parsing Cross Reference Table",
         "Invalid character while parsing Cross Reference Table\n"},
        {"xref\r\n0 1\r\n99999999999 65535 f\r\ntrailer << >>", "Invalid character while parsing Cross Reference Table",
         ""},
        {"xref\r\n0 99999999\r\n0000000000 65535 f\r\ntrailer << >>",
         "Cross Reference Table subsection has more rows than the file holds", ""},
        {"xref\r\n8000000 1\r\n0000000000 65535 f\r\ntrailer << >>",
         "Object number 8000000 is out of range in Cross Reference Table", ""},
        {"xref\r\n9000000 0\r\ntrailer << >>", "Object number 9000000 is out of range in Cross Reference Table", ""},
        {"xrex\r\n", "xref keyword has not been found", ""},
    };
    for (const Case& c : cases) {
        PDFTest::ParsedText t(c.section);
        CPDFCrt table;
        std::string message;
        try {
            boost::shared_ptr<CPDFDictionary> trailer = t.parser->ParseXrefSection(table);
            EXPECT_TRUE(trailer) << c.section;
        } catch (const CTextException& e) {
            message = e.GetText();
        }
        EXPECT_EQ(c.message, message) << c.section;
        EXPECT_EQ(c.log, t.parser->GetMessages()) << c.section;
    }
}

TEST(PDFFileStructure, FreeAndMissingObjectsResolveToEmptyObjects)
{
    struct Case {
        const char* row;
        const char* message;
    } cases[] = {
        {"0000000000 00001 f", "Object 5 was deleted from crt!"},
        {"0000000000 00000 n", "Object 5 invalid offset in crt!"},
    };
    for (const Case& c : cases) {
        FileBuilder file = PDFTest::PagesFile(1);
        file.Add("<< /A 5 0 R /B 1 >>");
        file.Add("null");
        std::string bytes = file.Build();
        char row[32];
        std::snprintf(row, sizeof row, "%010zu 00000 n", file.offsets[4]);
        bytes.replace(bytes.find(row), 18, c.row);
        OpenedFile opened(bytes);
        ASSERT_EQ("", opened.error);
        boost::shared_ptr<CPDFRef> reference = boost::make_shared<CPDFRef>(opened.document.get(), 4, 0);
        boost::shared_ptr<CPDFObject> holder = reference->GetReferencedObject(nullptr, false);
        CPDFDictionary* dictionary = static_cast<CPDFDictionary*>(holder->GetInnerObject().get());
        CPDFRef* missing = dictionary->GetRef("/A", false);
        boost::shared_ptr<CPDFObject> empty = missing->GetReferencedObject(nullptr, false);
        EXPECT_FALSE(empty->HasInnerObject()) << c.row;
        EXPECT_TRUE(missing->GetSkip()) << c.row;
        EXPECT_EQ("<<\r\n\r\n/B 1>>", dictionary->ToPDFString()) << c.row;
        EXPECT_NE(std::string::npos, opened.document->GetParser()->GetMessages().find(c.message)) << c.row;
    }
}

TEST(PDFFileStructure, ObjectsKeepTheirNumbersInTheFileAndNewOnesNeverTakeThem)
{
    // Object 5 refers to 6 and 9, numbers the table (0 to 5) does not cover.
    FileBuilder file = PDFTest::PagesFile(2);
    file.Add("<< /Next 6 0 R /Far 9 0 R /B 1 >>");
    std::string bytes = file.Build();
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    CPDFDocument& document = *opened.document;
    const std::string keyText = document.GetKeyText();
    ASSERT_EQ(6, document.GetFileTableSize());

    // Every object read stands under the number and generation the file gives it, and nowhere else.
    EXPECT_EQ(5, ResolveEveryObject(document));
    std::vector<std::string> expected;
    for (int number = 1; number <= 5; ++number)
        expected.push_back(std::to_string(number) + "-" + keyText);
    std::vector<std::string> keys = document.GetObjectKeys();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(expected, keys);
    for (int page = 0; page < 2; ++page)
        EXPECT_EQ(3 + page, document.GetPage(page)->GetPageObject()->GetObjectNumber());

    // New objects are numbered past the file's table: 6, then 7.
    boost::shared_ptr<CPDFObject> first = document.AddObject(CreatePDFInteger(&document, 66));
    boost::shared_ptr<CPDFObject> second = document.AddObject(CreatePDFInteger(&document, 77));
    EXPECT_EQ(6, first->GetObjectNumber());
    EXPECT_EQ(7, second->GetObjectNumber());

    // The file's references past its table still name nothing, though the
    // document has given 6 to a new object.
    CPDFDictionary* holder = GetPDFDictionary(document.FindObjectByNumber(5, &document), true);
    for (const char* key : {"/Next", "/Far"}) {
        CPDFRef* reference = holder->GetRef(key, false);
        EXPECT_FALSE(reference->GetReferencedObject(nullptr, false)->HasInnerObject()) << key;
        EXPECT_TRUE(reference->GetSkip()) << key;
    }
    EXPECT_EQ("<<\r\n\r\n/B 1>>", holder->ToPDFString());
    // A reference the program makes finds the new object.
    EXPECT_EQ(first, boost::make_shared<CPDFRef>(&document, 6, 0)->GetReferencedObject(nullptr, false));
}

TEST(PDFFileStructure, TheFilesInformationIsRead)
{
    struct Case {
        const char* info;
        const char* title;
        const char* creator;
        const char* creationDate;
    } cases[] = {
        // Every text the record has; dates as the file writes them.
        {"<< /Title (A title) /Author (Someone) /Subject (S) /Keywords (K) /Creator (Maker) /Producer (P) "
         "/CreationDate (D:20200102030405+01'00') /ModDate (D:20210102030405Z) >>",
         "A title", "Maker", "D:20200102030405+01'00'"},
        // A text through a reference; what is missing or no string keeps the default.
        {"<< /Title 5 0 R /Creator 12 /CreationDate /D >>", "Referenced", "ZAVImage Version 5.0", nullptr},
    };
    for (const Case& c : cases) {
        FileBuilder file = PDFTest::PagesFile(1);
        const int info = file.Add(c.info);
        file.Add("(Referenced)");
        file.trailerEntries += " /Info " + std::to_string(info) + " 0 R";
        std::string bytes = file.Build();
        OpenedFile opened(bytes);
        ASSERT_EQ("", opened.error) << c.info;
        const CPDFInfo& read = opened.document->GetInfo();
        EXPECT_EQ(c.title, read.GetTitle()) << c.info;
        EXPECT_EQ(c.creator, read.GetCreator()) << c.info;
        if (c.creationDate) {
            EXPECT_EQ(c.creationDate, read.GetCreationDate());
            EXPECT_EQ("D:20210102030405Z", read.GetModDate());
            EXPECT_EQ("Someone", read.GetAuthor());
            EXPECT_EQ("S", read.GetSubject());
            EXPECT_EQ("K", read.GetKeywords());
            EXPECT_EQ("P", read.GetProducer());
        } else {
            // The defaults of a new document: both dates the time it was made.
            EXPECT_EQ(16u, read.GetCreationDate().size());
            EXPECT_EQ(read.GetCreationDate(), read.GetModDate());
        }
        EXPECT_EQ("1.4", read.GetVersion());
    }
    FileBuilder first = PDFTest::PagesFile(1);
    first.trailerEntries += " /Info 3 0 R";  // the page: no information, but no failure either
    std::string bytes = first.Build();
    OpenedFile opened(bytes);
    EXPECT_EQ("", opened.error);
    EXPECT_EQ("", opened.document->GetInfo().GetTitle());
    // A /Info that names nothing of the file leaves the defaults.
    FileBuilder missing = PDFTest::PagesFile(1);
    missing.trailerEntries += " /Info 40 0 R";
    std::string missingBytes = missing.Build();
    OpenedFile none(missingBytes);
    EXPECT_EQ("", none.error);
    EXPECT_EQ("ZAVImage Version 5.0", none.document->GetInfo().GetCreator());
}

// Files that a test damages: the error each gives, under the sanitizers.
struct DamagedCase {
    const char* name;
    std::string bytes;
    std::string message;  // the text after "Can't parse PDF file! "
};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::vector<DamagedCase> DamagedFiles()
{
    std::vector<DamagedCase> cases;
    FileBuilder good = PDFTest::PagesFile(2);
    std::string bytes = good.Build();
    std::string xref = std::to_string(good.xrefOffset);

    cases.push_back({"truncated", bytes.substr(0, bytes.size() / 2), "File contains invalid EOF marker"});
    cases.push_back({"tiny", "%PDF-1.4\n%%EOF\n", "Invalid lat CRT offset"});
    cases.push_back({"empty", "", "Error parsing PDF trailer"});
    cases.push_back({"startxref past the end", Replace(bytes, "startxref\r\n" + xref, "startxref\r\n99999999"),
                     "xref keyword has not been found"});
    cases.push_back({"startxref off by one",
                     Replace(bytes, "startxref\r\n" + xref, "startxref\r\n" + std::to_string(good.xrefOffset + 1)),
                     "xref keyword has not been found"});
    cases.push_back({"garbage row count", Replace(bytes, "xref\r\n0 5\r\n", "xref\r\n0 60000\r\n"),
                     "Cross Reference Table subsection has more rows than the file holds"});
    cases.push_back({"huge first object number", Replace(bytes, "xref\r\n0 5\r\n", "xref\r\n2147483000 5\r\n"),
                     "Object number 2147483004 is out of range in Cross Reference Table"});
    cases.push_back({"prev loop", Replace(bytes, "/Size 5 ", "/Size 5 /Prev " + xref + " "),
                     "The /Prev chain of the Cross Reference Tables runs in a loop"});
    cases.push_back({"prev reference", Replace(bytes, "/Size 5 ", "/Size 5 /Prev 5 0 R "),
                     "/Prev has invalid type in trailer dict"});
    cases.push_back({"no root", Replace(bytes, "/Root 1 0 R", ""), "Object '/Root' has not been found!"});
    cases.push_back({"root not a catalog", Replace(bytes, "/Type /Catalog", "/Type /Katalog"),
                     "Root object must have type /Catalog"});

    FileBuilder cycle = PDFTest::PagesFile(2);
    cycle.bodies[3] = "<< /Type /Pages /Kids [2 0 R] /Count 1 >>";  // page 2 leads back to the root
    cases.push_back(
        {"kids cycle", cycle.Build(), "Pages tree node is reached twice: the /Kids of the page tree form a cycle"});

    FileBuilder self = PDFTest::PagesFile(0);
    self.bodies[1] = "<< /Type /Pages /Kids [2 0 R] /Count 0 >>";
    cases.push_back(
        {"kids of itself", self.Build(), "Pages tree node is reached twice: the /Kids of the page tree form a cycle"});

    FileBuilder deep;
    deep.Add("<< /Type /Catalog /Pages 2 0 R >>");
    for (int level = 0; level < 300; ++level)
        deep.Add("<< /Type /Pages /Kids [" + std::to_string(level + 3) + " 0 R] /Count 1 >>");
    deep.Add("<< /Type /Page >>");
    cases.push_back({"deep page tree", deep.Build(), "Pages tree is nested too deeply"});

    FileBuilder pageRoot = PDFTest::PagesFile(1);
    pageRoot.bodies[1] = "<< /Type /Page /Kids [3 0 R] /Count 1 >>";
    cases.push_back({"page as tree root", pageRoot.Build(),
                     "The pages tree node specified in Document catalog, is not of type /Pages"});
    FileBuilder directKid = PDFTest::PagesFile(1);
    directKid.bodies[1] = "<< /Type /Pages /Kids [<< /Type /Page >>] /Count 1 >>";
    cases.push_back(
        {"direct kid", directKid.Build(), "Kids array in pages node contains other object than indirect reference"});
    FileBuilder noCount = PDFTest::PagesFile(1);
    noCount.bodies[1] = "<< /Type /Pages /Kids [3 0 R] >>";
    cases.push_back(
        {"no count", noCount.Build(),
         "Count element of Subtree is missing or is not of type integer Object '/Count' has not been found!"});

    // The catalog's offset leads to the page tree root: not taken as the catalog.
    FileBuilder moved = PDFTest::PagesFile(1);
    std::string movedBytes = moved.Build();
    char row[32];
    std::snprintf(row, sizeof row, "%010zu 00000 n", moved.offsets[0]);
    char wrong[32];
    std::snprintf(wrong, sizeof wrong, "%010zu 00000 n", moved.offsets[1]);
    cases.push_back({"offset of another object", Replace(movedBytes, row, wrong),
                     "Object 1 0 expected at its offset in crt, but found object 2 0"});

    FileBuilder hugeLength = PDFTest::PagesFile(1);
    hugeLength.bodies[1] = "<< /Type /Pages /Kids [3 0 R] /Count 4 0 R >>";
    hugeLength.Add("<< /Length 2000000000 >>\r\nstream\r\nabc\r\nendstream");
    cases.push_back({"huge /Length", hugeLength.Build(),
                     "Stream /Length 2000000000 of object 4 0 reaches beyond the end of the file!"});

    cases.push_back({"encrypted", Replace(bytes, "/Size 5 ", "/Size 5 /Encrypt << /Filter /Standard /V 1 /P -4 >> "),
                     "Encrypted PDF documents are not supported!"});
    FileBuilder noLength = PDFTest::PagesFile(1);
    noLength.bodies[1] = "<< /Type /Pages /Kids [3 0 R] /Count 4 0 R >>";
    noLength.Add("<< /Filter /FlateDecode >>\r\nstream\r\nabc\r\nendstream");
    cases.push_back({"stream without /Length", noLength.Build(), "Object '/Length' has not been found!"});
    cases.push_back(
        {"end marker too far from the end", bytes + std::string(1100, 'x'), "File contains invalid EOF marker"});
    cases.push_back(
        {"header beyond the first 1024 bytes", std::string(1100, ' ') + bytes, "xref keyword has not been found"});
    return cases;
}

// Files as real writers and transfers leave them: all open, and every object
// and page reads.
TEST(PDFFileStructure, RealWorldVariantsOpen)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    FileBuilder plain = PDFTest::PagesFile(2);
    const std::string bytes = plain.Build();
    FileBuilder special = PDFTest::PagesFile(2);
    special.bodies[2] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] / (empty name) /P 4294967292 >>";
    std::string lfRows = bytes;
    for (size_t at = lfRows.find(" n\r\n"); at != std::string::npos; at = lfRows.find(" n\r\n", at))
        lfRows.replace(at, 4, " n\n");
    const Case cases[] = {
        {"bytes before the header", "Content-Type: application/pdf\r\n\r\n" + bytes},
        {"garbage after the end marker", bytes + "<html><body>" + std::string(700, '.') + "</body></html>\n"},
        {"rows with a one-byte line end", lfRows},
        {"empty name and 64-bit integer", special.Build()},
    };
    for (const Case& c : cases) {
        OpenedFile opened(c.bytes);
        ASSERT_EQ("", opened.error) << c.name;
        EXPECT_EQ(2, opened.document->GetPageCount()) << c.name;
        EXPECT_EQ(4, ResolveEveryObject(*opened.document)) << c.name;
    }
    OpenedFile read(special.Build());
    CPDFDictionary* page = GetPDFDictionary(read.document->GetPage(0)->GetPageObject(), false);
    ASSERT_TRUE(page);
    EXPECT_EQ("(empty name)", page->Get("/")->ToPDFString());
    EXPECT_DOUBLE_EQ(4294967292.0, static_cast<CPDFNumber*>(page->Get("/P").get())->GetReal());
}

TEST(PDFFileStructure, DamagedFilesGiveTheirCleanError)
{
    for (const DamagedCase& c : DamagedFiles()) {
        OpenedFile opened(c.bytes);
        EXPECT_EQ("Can't parse PDF file! " + c.message, opened.error) << c.name;
    }
}

TEST(PDFFileStructure, HugeStreamLengthFailsWhenTheObjectIsRead)
{
    FileBuilder file = PDFTest::PagesFile(1);
    file.Add("<< /Length 2000000000 >>\r\nstream\r\nabc\r\nendstream");
    std::string bytes = file.Build();
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    boost::shared_ptr<CPDFRef> reference = boost::make_shared<CPDFRef>(opened.document.get(), 4, 0);
    try {
        reference->GetReferencedObject(nullptr, false);
        FAIL() << "no error for a /Length beyond the file";
    } catch (const CTextException& e) {
        EXPECT_STREQ("Stream /Length 2000000000 of object 4 0 reaches beyond the end of the file!", e.GetText());
    }
}

// Files of independent tools, and qpdf's rewrites of them, open with the page
// count qpdf reports, and every object they hold resolves.
TEST(PDFFileStructure, FilesOfOtherToolsOpen)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ASSERT_TRUE(ZAVTest::HaveTool("img2pdf"));
    ZAVTest::TempDir dir;
    auto run = [](const std::string& command) {
        ZAVTest::RunResult result = ZAVTest::Run(command);
        EXPECT_EQ(0, result.exitCode) << command << "\n" << result.output;
    };
    std::string gsFile = dir.File("gs.pdf");
    run("gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -dCompatibilityLevel=1.4 -sOutputFile=" +
        ZAVTest::ShellQuote(gsFile) +
        " -c \"/Helvetica findfont 20 scalefont setfont 3 { 72 72 moveto (Hello) show showpage } repeat\"");
    run("gs -q -dNOPAUSE -dBATCH -sDEVICE=png16m -r20 -sOutputFile=" + ZAVTest::ShellQuote(dir.File("p%d.png")) +
        " -c \"1 0 0 setrgbcolor 0 0 100 100 rectfill showpage 0 0 1 setrgbcolor 0 0 50 50 rectfill showpage\"");
    std::string imgFile = dir.File("img.pdf");
    run("img2pdf " + ZAVTest::ShellQuote(dir.File("p1.png")) + " " + ZAVTest::ShellQuote(dir.File("p2.png")) + " -o " +
        ZAVTest::ShellQuote(imgFile));

    // And one of this system's writer.
    std::string ownFile = dir.File("own.pdf");
    {
        boost::shared_ptr<CPDFDocument> document = boost::make_shared<CPDFDocument>();
        for (int i = 0; i < 4; ++i) {
            boost::shared_ptr<CPDFDictionary> page = CreatePDFDictionary(document.get());
            page->SetName("/Type", "/Page");
            page->Set("/MediaBox", CreatePDFArrayOf4Reals(document.get(), 0, 0, 100, 100 + i));
            document->AddPage()->SetPageObject(document->AddObject(page));
        }
        std::ofstream out(ownFile, std::ios::binary);
        document->Write(out);
    }

    std::vector<std::string> files = {gsFile, imgFile, ownFile};
    for (const std::string& source : {gsFile, imgFile, ownFile}) {
        std::string rewritten = source + ".qdf.pdf";
        run("qpdf --qdf --object-streams=disable " + ZAVTest::ShellQuote(source) + " " +
            ZAVTest::ShellQuote(rewritten));
        files.push_back(rewritten);
    }
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        ZAVTest::RunResult pages = ZAVTest::Run("qpdf --show-npages " + ZAVTest::ShellQuote(path));
        ASSERT_EQ(0, pages.exitCode) << pages.output;
        OpenedFile opened(ZAVTest::ReadText(path));
        ASSERT_EQ("", opened.error);
        EXPECT_EQ(std::stoi(pages.output), opened.document->GetPageCount());
        EXPECT_GT(ResolveEveryObject(*opened.document), opened.document->GetPageCount());
    }
}

TEST(PDFFileStructure, CrossReferenceStreamsAreRefusedClearly)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("classic.pdf"), PDFTest::PagesFile(2).Build());
    ZAVTest::RunResult made =
        ZAVTest::Run("qpdf --object-streams=generate " + ZAVTest::ShellQuote(dir.File("classic.pdf")) + " " +
                     ZAVTest::ShellQuote(dir.File("modern.pdf")));
    ASSERT_EQ(0, made.exitCode) << made.output;
    const std::string modern = ZAVTest::ReadText(dir.File("modern.pdf"));
    OpenedFile opened(modern);
    EXPECT_EQ("Can't parse PDF file! Cross reference streams (PDF 1.5 and later) are not supported", opened.error);
    // startxref at the line end before the stream's "N 0 obj", as some writers leave it.
    const size_t startxref = modern.rfind("startxref");
    ASSERT_NE(std::string::npos, startxref);
    const long offset = std::stol(modern.substr(startxref + 10));
    ASSERT_TRUE(modern[static_cast<size_t>(offset) - 1] == '\n');
    std::string early = modern.substr(0, startxref) + "startxref\n" + std::to_string(offset - 1) + "\n%%EOF\n";
    EXPECT_EQ("Can't parse PDF file! Cross reference streams (PDF 1.5 and later) are not supported",
              OpenedFile(early).error);
}

}  // namespace
