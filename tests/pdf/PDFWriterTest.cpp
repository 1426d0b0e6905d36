// Whole files written by the document: checked by qpdf and pdfinfo, and
// byte for byte only where the text is fixed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include "PDFReadBack.h"
#include "PDFTestDocuments.h"
#include "foundation/datasource/DataSource.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using namespace ZAVPDFTest;
using ZAVTest::ThrownText;

namespace {

// The number written after "startxref".
long StartXref(const std::string& file)
{
    const size_t at = file.rfind("startxref\r\n");
    if (at == std::string::npos)
        return -1;
    return std::strtol(file.c_str() + at + 11, nullptr, 10);
}

// Every row of the table must point at "N G obj" of its own number.
void ExpectRowsPointAtTheirObjects(const std::string& file)
{
    const long xref = StartXref(file);
    ASSERT_GE(xref, 0);
    std::istringstream table(file.substr(static_cast<size_t>(xref)));
    std::string word;
    table >> word;
    ASSERT_EQ("xref", word);
    int rows = 0;
    long first = 0, count = 0;
    while (table >> word && word != "trailer") {
        first = std::strtol(word.c_str(), nullptr, 10);
        table >> count;
        for (long i = 0; i < count; ++i) {
            long offset = 0, generation = 0;
            std::string type;
            table >> offset >> generation >> type;
            EXPECT_EQ("n", type);
            const std::string header = std::to_string(first + i) + " " + std::to_string(generation) + " obj\r\n";
            EXPECT_EQ(header, file.substr(static_cast<size_t>(offset), header.size()));
            ++rows;
        }
    }
    EXPECT_GT(rows, 0);
}

// A stream buffer that accepts a fixed number of bytes, as a full disk does.
class FullDiskBuffer : public std::streambuf {
public:
    explicit FullDiskBuffer(size_t room) : m_room(room) {}
    std::string written;

protected:
    int_type overflow(int_type c) override
    {
        if (c == traits_type::eof())
            return traits_type::not_eof(c);
        if (written.size() >= m_room)
            return traits_type::eof();
        written += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        std::streamsize done = 0;
        while (done < n && written.size() < m_room)
            written += s[done++];
        return done;
    }
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override
    {
        return pos_type(static_cast<off_type>(written.size()));
    }

private:
    size_t m_room;
};

}  // namespace

TEST(PDFWriterTest, CheckersAreInstalled)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
}

TEST(PDFWriterTest, NewDocumentPassesTheCheckersWithItsPagesAndInfo)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ZAVTest::TempDir dir;
    SharedFontDocument source(2);
    CPDFInfo& info = source.document.GetInfo();
    info.SetTitle("Quarterly (draft) report");
    info.SetAuthor("A. Writer\\Team");
    info.SetSubject("Numbers");
    info.SetKeywords("pdf, test");
    info.SetProducer("ZAVPdf tests");
    info.SetCreationDate("20240131235959");
    const std::string path = dir.File("two-pages.pdf");
    const std::string file = WriteToFile(source.document, path);

    EXPECT_EQ("", QpdfProblems(path));
    EXPECT_EQ("2", PdfInfoField(path, "Pages"));
    EXPECT_EQ("Quarterly (draft) report", PdfInfoField(path, "Title"));
    EXPECT_EQ("A. Writer\\Team", PdfInfoField(path, "Author"));
    EXPECT_EQ("Numbers", PdfInfoField(path, "Subject"));
    EXPECT_EQ("pdf, test", PdfInfoField(path, "Keywords"));
    EXPECT_EQ("ZAVImage Version 5.0", PdfInfoField(path, "Creator"));
    EXPECT_EQ("ZAVPdf tests", PdfInfoField(path, "Producer"));
    EXPECT_EQ("1.4", PdfInfoField(path, "PDF version"));

    EXPECT_EQ("%PDF-1.4\r\n\r\n", file.substr(0, 12));
    EXPECT_EQ("\r\n%%EOF\r\n", file.substr(file.size() - 9));
    const long xref = StartXref(file);
    EXPECT_EQ("xref\r\n", file.substr(static_cast<size_t>(xref), 6));
    EXPECT_NE(std::string::npos, file.find(">>startxref\r\n"));
    ExpectRowsPointAtTheirObjects(file);
}

TEST(PDFWriterTest, StructureObjectsTakeTheNextNumbersAndTrailerKeysStandInOrder)
{
    // Two pages and two contents numbered 1 to 4.
    CPDFDocument d;
    for (int i = 0; i < 2; ++i) {
        CPDFDictionary* content = nullptr;
        boost::shared_ptr<CPDFObject> contentObject = CreateIndirectDictionary(&d, content);
        contentObject->SetStreamData(reinterpret_cast<const unsigned char*>("q Q\n"), 4);
        d.AddObject(contentObject);
        CPDFDictionary* page = nullptr;
        boost::shared_ptr<CPDFObject> pageObject = CreateIndirectDictionary(&d, page);
        page->SetName("/Type", "/Page");
        page->Set("/MediaBox", CreatePDFArrayOf4Reals(&d, 0, 0, 200, 200));
        page->SetRef("/Contents", contentObject->GetObjectNumber(), 0);
        page->Set("/Resources", CreatePDFDictionary(&d));
        d.AddObject(pageObject);
        d.AddPage()->SetPageObject(pageObject);
    }
    std::ostringstream out;
    d.Write(out);
    const std::string file = out.str();
    EXPECT_NE(std::string::npos, file.find("5 0 obj\r\n<<\r\n/Type/Pages\r\n/Kids [2 0 R 4 0 R]\r\n/Count 2>>"));
    EXPECT_NE(std::string::npos, file.find("6 0 obj\r\n<<\r\n/Type/Catalog\r\n/Pages 5 0 R>>"));
    EXPECT_NE(std::string::npos, file.find("7 0 obj\r\n<<\r\n/Creator (ZAVImage Version 5.0)"));
    EXPECT_NE(std::string::npos, file.find("trailer\r\n<<\r\n/Size 8\r\n/Info 7 0 R\r\n/Root 6 0 R>>startxref\r\n"));
    EXPECT_EQ(2, CountOf(file, "/Parent 5 0 R"));
    ExpectRowsPointAtTheirObjects(file);
}

TEST(PDFWriterTest, EmptyDocumentIsStillComplete)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    CPDFDocument d;
    d.GetInfo().SetCreator("");
    d.GetInfo().SetCreationDate("D:20000101000000");
    const std::string path = dir.File("empty.pdf");
    const std::string file = WriteToFile(d, path);
    EXPECT_NE(std::string::npos, file.find("/Kids []\r\n/Count 0>>"));
    EXPECT_EQ("", QpdfProblems(path));
}

TEST(PDFWriterTest, WritingAgainReplacesStructureObjectsAndWritesEachObjectOnce)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ZAVTest::TempDir dir;
    SharedFontDocument source(1);
    source.document.GetInfo().SetTitle("First");
    WriteToFile(source.document, dir.File("first.pdf"));
    source.document.GetInfo().SetTitle("Second");
    const std::string path = dir.File("second.pdf");
    const std::string file = WriteToFile(source.document, path);

    EXPECT_EQ(1, CountOf(file, "/Type/Pages"));
    EXPECT_EQ(1, CountOf(file, "/Type/Catalog"));
    EXPECT_EQ(1, CountOf(file, "/Creator"));
    EXPECT_EQ(1, CountOf(file, "/BaseFont"));
    EXPECT_EQ("", QpdfProblems(path));
    EXPECT_EQ("Second", PdfInfoField(path, "Title"));
    EXPECT_EQ("1", PdfInfoField(path, "Pages"));
    ExpectRowsPointAtTheirObjects(file);
}

TEST(PDFWriterTest, ObjectUnderTwoOwnKeysIsWrittenOnce)
{
    CPDFDocument d;
    // An object that carries this document's key text with an old number
    // (as an object read from the document's own file does) stands under
    // its old and its new key.
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&d, dictionary);
    dictionary->SetName("/Marker", "/Once");
    object->SetObjectNumber(40);
    boost::shared_ptr<CPDFObject> entered = d.AddObject(object);
    EXPECT_EQ(1, entered->GetObjectNumber());
    EXPECT_TRUE(d.HasObjectKey("40-" + d.GetKeyText()));
    EXPECT_TRUE(d.HasObjectKey("1-" + d.GetKeyText()));
    std::ostringstream out;
    d.Write(out);
    EXPECT_EQ(1, CountOf(out.str(), "/Marker/Once"));
    ExpectRowsPointAtTheirObjects(out.str());
}

TEST(PDFWriterTest, FailedWriteIsReportedInsteadOfATruncatedFile)
{
    SharedFontDocument source(1);
    for (size_t room : {5u, 200u, 700u}) {
        FullDiskBuffer buffer(room);
        std::ostream stream(&buffer);
        SharedFontDocument document(1);
        EXPECT_EQ("Error writing to file!", ThrownText([&] { document.document.Write(stream); })) << room;
    }
    // The same document writes fine where there is room.
    FullDiskBuffer roomy(1 << 20);
    std::ostream stream(&roomy);
    source.document.Write(stream);
    EXPECT_EQ("\r\n%%EOF\r\n", roomy.written.substr(roomy.written.size() - 9));
}

TEST(PDFWriterTest, DevFullReportsTheWriteError)
{
    SharedFontDocument source(1);
    std::ofstream full("/dev/full", std::ios::binary);
    ASSERT_TRUE(full.is_open());
    EXPECT_EQ("Error writing to file!", ThrownText([&] { source.document.Write(full); }));
}

TEST(PDFWriterTest, DocumentReadFromAFileIsWrittenAnew)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfinfo"));
    ZAVTest::TempDir dir;
    ZAV::CDataSource input;
    CPDFDocument document;
    ASSERT_NO_FATAL_FAILURE(ReadBackSharedFontDocument(2, dir.File("source.pdf"), input, document));
    // Objects of the file load as their references are followed.
    for (int i = 0; i < document.GetPageCount(); ++i) {
        CPDFObjectMap reached(100);
        CPDFKeySet visited;
        document.GetPage(i)->GetPageObject()->CollectReferences(reached, visited);
    }
    document.GetInfo().SetTitle("Again");
    const std::string path = dir.File("again.pdf");
    const std::string file = WriteToFile(document, path);
    EXPECT_EQ("", QpdfProblems(path));
    EXPECT_EQ("2", PdfInfoField(path, "Pages"));
    EXPECT_EQ("Again", PdfInfoField(path, "Title"));
    EXPECT_EQ(1, CountOf(file, "/Type/Pages"));
    EXPECT_EQ(1, CountOf(file, "/Type/Catalog"));
    EXPECT_EQ(1, CountOf(file, "/BaseFont"));
    ExpectRowsPointAtTheirObjects(file);
}
