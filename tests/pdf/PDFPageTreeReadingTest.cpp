// Opening a file lists plain pages by reference and reads them when they are
// used: the pages, their dictionaries and every failure must be those of a
// file whose pages are all read at once. A comment inside a page dictionary
// makes the parser read that page when the tree is read, so each file is
// opened twice, once with and once without such comments.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <string>
#include <vector>

#include "PDFTestFiles.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/document/PDFPage.h"

using namespace ZAVPDF;
using PDFTest::FileBuilder;
using PDFTest::OpenedFile;
using ZAV::CDataSource;
using ZAV::IProgressNotification;

namespace {

const char kPageStart[] = "<< /Type /Page ";

// The same objects, with each page dictionary read when the tree is read.
FileBuilder ReadAtOnce(FileBuilder file)
{
    for (std::string& body : file.bodies)
        if (body.compare(0, sizeof kPageStart - 1, kPageStart) == 0)
            body.insert(2, " % read when the tree is read\r\n");
    return file;
}

// What an open gives: its error, or the pages' object numbers and
// dictionaries.
std::vector<std::string> Outcome(const FileBuilder& file)
{
    const std::string bytes = FileBuilder(file).Build();
    OpenedFile opened(bytes);
    if (!opened.error.empty())
        return {"error: " + opened.error};
    std::vector<std::string> pages;
    for (int i = 0; i < opened.document->GetPageCount(); ++i) {
        const boost::shared_ptr<CPDFObject>& page = opened.document->GetPage(i)->GetPageObject();
        pages.push_back(std::to_string(page->GetObjectNumber()) + " " + page->GetInnerObject()->ToPDFString());
    }
    return pages;
}

// Catalog 1, root 2; three levels with attributes to inherit and pages of
// several shapes.
FileBuilder ThreeLevelTree()
{
    FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R >>");
    file.Add("<< /Type /Pages /Kids [3 0 R 6 0 R 4 0 R] /Count 5 /MediaBox [0 0 300 400] /Rotate 90 >>");
    file.Add("<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 7 0 R] /Count 3 /Resources << /Font << /F1 9 0 R >> >> >>");
    file.Add("<< /Type /Page /Parent 2 0 R /Contents [10 0 R] >>");
    file.Add("<< /Type /Pages /Parent 3 0 R /Kids [8 0 R 11 0 R] /Count 2 /CropBox [1 1 299 399] >>");
    file.Add("<< /Type /Page /Parent 2 0 R /UserUnit 1.5 /T (x \\) y) >>");
    file.Add("<< /Type /Page /Parent 3 0 R /Annots [] /H <0A0B> >>");
    file.Add("<< /Type /Page /Parent 5 0 R /Contents 10 0 R /Rotate -90 >>");
    file.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    file.Add("<< /Length 0 >>");
    file.Add("<< /Type /Page /Parent 5 0 R /B true /N null >>");
    return file;
}

TEST(PDFPageTreeReading, PlainPagesAreReadWhenUsedAndMatchThePagesReadAtOnce)
{
    const FileBuilder file = ThreeLevelTree();
    const std::vector<std::string> pages = Outcome(file);
    ASSERT_EQ(5u, pages.size());
    EXPECT_EQ(pages, Outcome(ReadAtOnce(file)));
    EXPECT_EQ("7 <<\r\n/Type/Page\r\n/Parent 3 0 R\r\n/Annots []\r\n/H <0A0B>>>", pages[2]);

    const std::string bytes = FileBuilder(file).Build();
    OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    for (int i = 0; i < opened.document->GetPageCount(); ++i) {
        const boost::shared_ptr<CPDFPage> page = opened.document->GetPage(i);
        EXPECT_FALSE(page->GetLoadedPageObject()) << i;
        EXPECT_FALSE(opened.document->HasObjectKey(page->GetPageObjectKey())) << i;
        EXPECT_TRUE(page->GetPageObject());
        EXPECT_TRUE(opened.document->HasObjectKey(page->GetPageObjectKey())) << i;
    }
}

// The most of the file a data source reports as read, as a fraction.
class CReadFraction : public IProgressNotification {
public:
    int OnProgress(double fraction) override
    {
        if (fraction > most)
            most = fraction;
        return 1;
    }
    void OnBegin() override {}
    void OnEnd() override {}
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    void OnImageChanged() override {}
    double most = 0;
};

TEST(PDFPageTreeReading, APageListedManyTimesIsLookedAtOnce)
{
    // Each listing of a page costs a few bytes of /Kids; looking at the page's
    // bytes anew for each would read the file hundreds of times over.
    std::string kids;
    for (int i = 0; i < 3000; ++i)
        kids += "3 0 R ";
    FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R >>");
    file.Add("<< /Type /Pages /Kids [" + kids + "] /Count 3000 >>");
    file.Add("<< /Type /Page /Parent 2 0 R /Pad (" + std::string(2000, 'x') + ") >>");
    const std::string bytes = file.Build();
    CReadFraction progress;
    CDataSource source(&progress);
    source.OpenMemory(bytes.data(), bytes.size());
    const boost::shared_ptr<CPDFDocument> document = boost::make_shared<CPDFDocument>();
    document->SetDataSource(&source);
    document->Parse();
    ASSERT_EQ(3000, document->GetPageCount());
    EXPECT_EQ(3, document->GetPage(2999)->GetPageObject()->GetObjectNumber());
    // The parser steps back over the references' numbers, so /Kids is read a
    // few times; a look per listing reads the file hundreds of times.
    EXPECT_LT(progress.most, 20.0);
}

struct TreeCase {
    const char* what;
    std::vector<std::string> bodies;  // objects 1, 2, ...; 1 is the catalog
    std::vector<std::string> outcome;
};

TEST(PDFPageTreeReading, DamagedTreesFailOrOpenAsWhenEveryPageIsReadAtOnce)
{
    const std::string catalog = "<< /Type /Catalog /Pages 2 0 R >>";
    const std::string page = "<< /Type /Page /Parent 2 0 R >>";
    const std::string pageText = "<<\r\n/Type/Page\r\n/Parent 2 0 R>>";
    const std::vector<TreeCase> cases = {
        {"a /Count that is wrong",
         {catalog, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 7 >>", page, page},
         {"3 " + pageText, "4 " + pageText}},
        {"a page listed twice",
         {catalog, "<< /Type /Pages /Kids [3 0 R 3 0 R] /Count 2 >>", page},
         {"3 " + pageText, "3 " + pageText}},
        {"kids leading back to an ancestor",
         {catalog, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>", page,
          "<< /Type /Pages /Parent 2 0 R /Kids [2 0 R] /Count 1 >>"},
         {"error: Can't parse PDF file! Pages tree node is reached twice: the /Kids of the page tree form a cycle"}},
        {"a kid the table does not hold",
         {catalog, "<< /Type /Pages /Kids [3 0 R 9 0 R] /Count 2 >>", page},
         {"error: Can't parse PDF file! Pages tree node or page object of invalid type"}},
        {"a kid that is the catalog",
         {catalog, "<< /Type /Pages /Kids [3 0 R 1 0 R] /Count 2 >>", page},
         {"error: Can't parse PDF file! Object of type Page expected"}},
        {"a page object that holds a second header",
         {catalog, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>", page, "4 0 obj " + page},
         {"error: Can't parse PDF file! 'endobj' missing for ' 4 0 obj'"}},
        {"a page without /Type",
         {catalog, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", "<< /Parent 2 0 R >>"},
         {"error: Can't parse PDF file! Type element of Subtree is missing Object '/Type' has not been found!"}},
        {"a page the parser cannot read",
         {catalog, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", "<< /Type /Page /X 12a >>"},
         {"error: Can't parse PDF file! Error while parsing number "}},
    };
    for (const TreeCase& c : cases) {
        FileBuilder file;
        for (const std::string& body : c.bodies)
            file.Add(body);
        const std::vector<std::string> outcome = Outcome(file);
        EXPECT_EQ(c.outcome, outcome) << c.what;
        EXPECT_EQ(outcome, Outcome(ReadAtOnce(file))) << c.what;
    }
}

}  // namespace
