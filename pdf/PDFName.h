// The PDF name object; the text keeps its leading "/" and is held unescaped.
#pragma once

#include "pdf/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFName : public CPDFObjectBase {
public:
    CPDFName(CPDFDocument* document, const std::string& text);
    ~CPDFName() override;

    const std::string& GetName() const { return m_text; }

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument,
                        CPDFVisitedMap& referenceMap, CPDFKeySet& keySet,
                        bool addToDocument) override;
    // The name with every byte outside letters, digits and _-*?; written as #xx.
    std::string ToPDFString() const override;

private:
    std::string m_text;
};

}  // namespace ZAVPDF
