#include "pdf/document/PDFPage.h"

#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVPDF {

const boost::shared_ptr<CPDFObject>& CPDFPage::GetPageObject() const
{
    if (!m_pageObject && m_reference)
        m_pageObject = m_reference->GetReferencedObject(nullptr, false);
    return m_pageObject;
}

std::string CPDFPage::GetPageObjectKey() const
{
    // A reference and the object it reads carry the same number and key text.
    if (m_pageObject)
        return m_pageObject->GetObjectKey();
    return m_reference ? m_reference->GetObjectKey() : std::string();
}

void CPDFPage::SetPageObject(const boost::shared_ptr<CPDFObject>& pageObject)
{
    m_pageObject = pageObject;
    m_reference.reset();
}

void CPDFPage::SetPageReference(const boost::shared_ptr<CPDFRef>& reference)
{
    m_pageObject.reset();
    m_reference = reference;
}

}  // namespace ZAVPDF
