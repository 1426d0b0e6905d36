#include "pdf/objects/PDFNull.h"

namespace ZAVPDF {

CPDFNull::CPDFNull(CPDFDocument* document) : CPDFObjectBase(ptNull, document)
{
}

CPDFNull::~CPDFNull() = default;

CPDFObjectPtr CPDFNull::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&, CPDFKeySet&, bool)
{
    CPDFObjectPtr copy(new CPDFNull(targetDocument));
    copy->SetModified(true);
    return copy;
}

std::string CPDFNull::ToPDFString() const
{
    return "null";
}

}  // namespace ZAVPDF
