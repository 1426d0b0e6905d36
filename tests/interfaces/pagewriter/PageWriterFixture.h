// A new document object with its page writer, and what tests read back
// from the pages it writes.
#pragma once

#include "FakePageImage.h"
#include "support/TestSupport.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"
#include "pdf/document/PDFDocument.h"

#include <string>

namespace ZAVTest {

class PageWriterFixture {
public:
    PageWriterFixture();

    ZAV::CZAVPdfDocumentPageWriter& Writer() { return *m_state->GetPageWriter(); }
    ZAVPDF::CPDFDocument& Document() { return *m_state->GetDocument(); }
    ZAV::IZAVPdfDocumentSp* Object() { return m_object.Get(); }

    // The objects the document holds now.
    size_t ObjectCount();
    // The page's dictionary as PDF text; its content stream's bytes, inflated
    // when stored Flate-coded.
    std::string PageText(int page);
    std::string Content(int page);
    // The text of the object a dictionary entry of the page's resources
    // refers to, e.g. ("/XObject", "/Im0").
    std::string Resource(int page, const std::string& group, const std::string& name);
    // Saves the document into the folder and checks it with qpdf --check.
    std::string SaveChecked(const TempDir& folder, const std::string& name = "out.pdf");

private:
    ZAV::CZAVPtr<ZAV::IZAVPdfDocumentSp> m_object;
    ZAV::CZAVPdfDocument* m_state;
};

}  // namespace ZAVTest
