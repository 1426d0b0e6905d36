#include "PageWriterFixture.h"

#include "foundation/coding/ZlibCoding.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"

#include <gtest/gtest.h>

namespace ZAVTest {

using namespace ZAVPDF;

namespace {

boost::shared_ptr<CPDFObject> Target(CPDFDocument& document, const CPDFObjectPtr& reference)
{
    return document.FindObjectByNumber(reference->GetObjectNumber(), &document);
}

}  // namespace

PageWriterFixture::PageWriterFixture() : m_object(ZAV::CreatePdfDocumentSp())
{
    m_state = static_cast<ZAV::CZAVPdfDocument*>(m_object->GetObjectSp()->GetImplementation());
}

size_t PageWriterFixture::ObjectCount()
{
    return Document().GetObjectKeys().size();
}

std::string PageWriterFixture::PageText(int page)
{
    return Document().GetPage(page)->GetPageObject()->ToPDFString();
}

std::string PageWriterFixture::Content(int page)
{
    CPDFDictionary* dictionary = GetPDFDictionary(Document().GetPage(page)->GetPageObject(), true);
    boost::shared_ptr<CPDFObject> stream = Target(Document(), dictionary->GetArray("/Contents", false)->Get(0));
    const CPDFByteArray& data = stream->GetStreamData();
    if (GetPDFDictionary(stream, true)->HasKey("/Filter")) {
        const std::vector<uint8_t> inflated = ZAV::ZlibDecompress(data.GetData(), data.GetSize());
        return std::string(inflated.begin(), inflated.end());
    }
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetSize());
}

std::string PageWriterFixture::Resource(int page, const std::string& group, const std::string& name)
{
    CPDFDictionary* dictionary = GetPDFDictionary(Document().GetPage(page)->GetPageObject(), true);
    CPDFDictionary* resources = dictionary->GetDictionary("/Resources", false);
    CPDFDictionary* entries = resources->GetDictionary(group, false);
    return Target(Document(), entries->Get(name))->ToPDFString();
}

std::string PageWriterFixture::SaveChecked(const TempDir& folder, const std::string& name)
{
    const std::string path = folder.File(name);
    m_object->Save(path);
    EXPECT_TRUE(HaveTool("qpdf"));
    const RunResult check = Run("qpdf --check " + ShellQuote(path));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    return path;
}

}  // namespace ZAVTest
