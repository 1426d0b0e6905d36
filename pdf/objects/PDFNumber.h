// The PDF number object: an integer or a real.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFNumber : public CPDFObjectBase {
public:
    CPDFNumber(CPDFDocument* document, int value);
    CPDFNumber(CPDFDocument* document, double value);
    ~CPDFNumber() override;

    bool IsInteger() const { return m_isInteger; }
    // The integer, or the real truncated toward zero.
    int GetInteger() const;
    double GetReal() const { return m_isInteger ? m_integerValue : m_realValue; }
    void SetInteger(int value);

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

private:
    double m_realValue = 0.0;
    int m_integerValue = 0;
    bool m_isInteger;
};

// The PDF text of a real: at least two decimals, and as many more as the
// value needs to read back unchanged.
std::string FormatPDFReal(double value);

}  // namespace ZAVPDF
