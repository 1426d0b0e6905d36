// The PDF null object.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFNull : public CPDFObjectBase {
public:
    explicit CPDFNull(CPDFDocument* document);
    ~CPDFNull() override;

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;
};

}  // namespace ZAVPDF
