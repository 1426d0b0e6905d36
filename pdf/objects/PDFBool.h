// The PDF boolean object.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFBool : public CPDFObjectBase {
public:
    CPDFBool(CPDFDocument* document, bool value);
    ~CPDFBool() override;

    bool GetValue() const { return m_value; }

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

private:
    bool m_value;
};

}  // namespace ZAVPDF
