#include "PDFTestDocuments.h"

#include <fstream>

#include "support/TestSupport.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFRef.h"

using namespace ZAVPDF;

namespace ZAVPDFTest {

std::string PageContent(const std::string& text)
{
    return "BT /F1 24 Tf 72 720 Td (" + text + ") Tj ET\n";
}

SharedFontDocument::SharedFontDocument(int pageCount)
{
    CPDFDocument* d = &document;
    CPDFDictionary* fontDictionary = nullptr;
    font = CreateIndirectDictionary(d, fontDictionary);
    fontDictionary->SetName("/Type", "/Font");
    fontDictionary->SetName("/Subtype", "/Type1");
    fontDictionary->SetName("/BaseFont", "/Helvetica");
    document.AddObject(font);

    CPDFDictionary* pagesDictionary = nullptr;
    pagesObject = CreateIndirectDictionary(d, pagesDictionary);
    document.AddObject(pagesObject);
    pagesDictionary->SetName("/Type", "/Pages");
    boost::shared_ptr<CPDFArray> kids = CreatePDFArray(d);
    pagesDictionary->Set("/Kids", kids);
    pagesDictionary->SetInteger("/Count", pageCount);

    for (int i = 0; i < pageCount; ++i) {
        CPDFDictionary* contentDictionary = nullptr;
        boost::shared_ptr<CPDFObject> content = CreateIndirectDictionary(d, contentDictionary);
        const std::string text = PageContent("Page " + std::to_string(i + 1));
        content->SetStreamData(reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
        document.AddObject(content);

        CPDFDictionary* page = nullptr;
        boost::shared_ptr<CPDFObject> pageObject = CreateIndirectDictionary(d, page);
        page->SetName("/Type", "/Page");
        page->SetRef("/Parent", pagesObject->GetObjectNumber(), 0);
        page->Set("/MediaBox", CreatePDFArrayOf4Reals(d, 0, 0, 595.2756, 841.8898));
        boost::shared_ptr<CPDFDictionary> fonts = CreatePDFDictionary(d);
        fonts->SetRef("/F1", font->GetObjectNumber(), 0);
        boost::shared_ptr<CPDFDictionary> resources = CreatePDFDictionary(d);
        resources->Set("/Font", fonts);
        page->Set("/Resources", resources);
        page->SetRef("/Contents", content->GetObjectNumber(), 0);
        document.AddObject(pageObject);
        kids->Add(CreatePDFRef(d, pageObject->GetObjectNumber(), 0));
        pages.push_back(pageObject);
        document.AddPage()->SetPageObject(pageObject);
    }
}

std::string WriteToFile(CPDFDocument& document, const std::string& path)
{
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        document.Write(file);
    }
    return ZAVTest::ReadText(path);
}

std::string QpdfProblems(const std::string& path)
{
    ZAVTest::RunResult result = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(path));
    if (result.exitCode == 0 && result.output.find("WARNING") == std::string::npos &&
        result.output.find("No syntax or stream encoding errors found") != std::string::npos)
        return std::string();
    return "exit " + std::to_string(result.exitCode) + ": " + result.output;
}

std::string PdfInfoField(const std::string& path, const std::string& field)
{
    ZAVTest::RunResult result = ZAVTest::Run("pdfinfo " + ZAVTest::ShellQuote(path));
    const std::string& out = result.output;
    const size_t start = out.find(field + ":");
    if (start == std::string::npos)
        return std::string();
    size_t value = start + field.size() + 1;
    while (value < out.size() && out[value] == ' ')
        ++value;
    const size_t end = out.find('\n', value);
    return out.substr(value, end == std::string::npos ? std::string::npos : end - value);
}

int CountOf(const std::string& text, const std::string& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

}  // namespace ZAVPDFTest
