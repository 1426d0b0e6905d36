// The PDF name object; the text keeps its leading "/" and is held unescaped.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

// The written form of a name text (leading "/" included): every byte after
// the first outside letters, digits and _-*?; becomes #xx. Dictionary keys are
// written with it too.
std::string EscapePDFName(const std::string& text);

class CPDFName : public CPDFObjectBase {
public:
    CPDFName(CPDFDocument* document, const std::string& text);
    ~CPDFName() override;

    const std::string& GetName() const { return m_text; }

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    // EscapePDFName of the text.
    std::string ToPDFString() const override;

private:
    std::string m_text;
};

}  // namespace ZAVPDF
