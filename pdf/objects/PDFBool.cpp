#include "pdf/objects/PDFBool.h"

namespace ZAVPDF {

CPDFBool::CPDFBool(CPDFDocument* document, bool value) : CPDFObjectBase(ptBool, document), m_value(value)
{
}

CPDFBool::~CPDFBool() = default;

CPDFObjectPtr CPDFBool::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&, CPDFKeySet&, bool)
{
    CPDFObjectPtr copy(new CPDFBool(targetDocument, m_value));
    copy->SetModified(true);
    return copy;
}

std::string CPDFBool::ToPDFString() const
{
    return m_value ? "true" : "false";
}

}  // namespace ZAVPDF
