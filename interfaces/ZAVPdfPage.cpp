#include "interfaces/ZAVPdfPage.h"

#include "foundation/coding/ZlibCoding.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/document/PDFPage.h"
#include "platform/CrtShims.h"

namespace ZAV {

using namespace ZAVPDF;

CPDFByteArray CZAVPdfPage::GetContentData(bool decode) const
{
    CPDFByteArray result;
    if (!m_page || !m_page->GetPageObject())
        return result;
    CPDFDictionary* page = GetPDFDictionary(m_page->GetPageObject(), false);
    if (!page || !page->HasKey("/Contents"))
        return result;
    CPDFObjectPtr contents = ResolvePDFReference(page->Get("/Contents"));
    if (contents && contents->GetType() == ptArray) {
        // Only the first stream of the page is read.
        const CPDFArray* streams = static_cast<const CPDFArray*>(contents.get());
        if (streams->GetCount() == 0)
            return result;
        contents = ResolvePDFReference(streams->Get(0));
    }
    if (!contents || contents->GetType() != ptObject)
        return result;
    const CPDFObject* stream = static_cast<const CPDFObject*>(contents.get());
    const CPDFByteArray& stored = stream->GetStreamData();

    CPDFDictionary* streamDictionary = GetPDFDictionary(contents, false);
    const bool flate = streamDictionary && streamDictionary->HasKey("/Filter") &&
                       _stricmp(streamDictionary->GetEntryAsText("/Filter", true).c_str(), "/FlateDecode") == 0;
    if (decode && flate && stored.GetSize() > 0) {
        const std::vector<uint8_t> inflated = ZlibDecompress(stored.GetData(), static_cast<size_t>(stored.GetSize()));
        if (inflated.size() > static_cast<size_t>(INT32_MAX))
            ThrowTextException("Content stream too large!");
        result.SetData(inflated.data(), static_cast<int32_t>(inflated.size()));
        return result;
    }
    result = stored;
    return result;
}

}  // namespace ZAV
