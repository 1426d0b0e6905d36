// The PDF string object, written in literal or hexadecimal form.
#pragma once

#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFString : public CPDFObjectBase {
public:
    CPDFString(CPDFDocument* document, const std::string& text, bool hex);
    // Takes bytes that already end with one zero byte; written in hex form.
    CPDFString(CPDFDocument* document, const CPDFByteArray& bytes);
    ~CPDFString() override;

    // The bytes without the terminating zero.
    std::string GetText() const;
    // The byte count, the terminating zero included.
    int GetLength() const { return m_bytes.GetSize(); }
    bool IsHex() const { return m_hex; }
    void SetHex(bool hex) { m_hex = hex; }

    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

private:
    int ValueLength() const;

    CPDFByteArray m_bytes;
    bool m_hex;
};

}  // namespace ZAVPDF
