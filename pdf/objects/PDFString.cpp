#include "pdf/objects/PDFString.h"

#include <vector>

namespace ZAVPDF {

CPDFString::CPDFString(CPDFDocument* document, const std::string& text, bool hex)
    : CPDFObjectBase(ptString, document), m_hex(hex)
{
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    m_bytes.SetData(bytes.data(), static_cast<int>(bytes.size()));
}

CPDFString::CPDFString(CPDFDocument* document, const CPDFByteArray& bytes)
    : CPDFObjectBase(ptString, document), m_hex(true)
{
    // Bytes keep no note of how the file wrote them; hex form holds any byte,
    // so a string made from bytes is written in hex even if it was literal.
    m_bytes.Copy(bytes);
}

CPDFString::~CPDFString() = default;

int CPDFString::ValueLength() const
{
    const int size = m_bytes.GetSize();
    return size > 0 ? size - 1 : 0;
}

std::string CPDFString::GetText() const
{
    if (ValueLength() == 0)
        return std::string();
    return std::string(reinterpret_cast<const char*>(m_bytes.GetData()), static_cast<size_t>(ValueLength()));
}

CPDFObjectPtr CPDFString::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&, CPDFKeySet&, bool)
{
    // A copy is always written in hex form and counts as changed.
    CPDFObjectPtr copy(new CPDFString(targetDocument, m_bytes));
    copy->SetModified(true);
    return copy;
}

std::string CPDFString::ToPDFString() const
{
    const unsigned char* bytes = m_bytes.GetData();
    const int length = ValueLength();
    std::string text;
    if (m_hex) {
        static const char kHex[] = "0123456789ABCDEF";
        text.reserve(static_cast<size_t>(length) * 2 + 2);
        text += '<';
        for (int i = 0; i < length; ++i) {
            text += kHex[bytes[i] >> 4];
            text += kHex[bytes[i] & 0x0F];
        }
        text += '>';
        return text;
    }
    text.reserve(static_cast<size_t>(length) + 2);
    text += '(';
    for (int i = 0; i < length; ++i) {
        const unsigned char byte = bytes[i];
        if (byte == '(' || byte == ')' || byte < 0x20 || byte >= 0x80) {
            text += '\\';
            text += static_cast<char>('0' + (byte >> 6));
            text += static_cast<char>('0' + ((byte >> 3) & 7));
            text += static_cast<char>('0' + (byte & 7));
        } else if (byte == '\\') {
            // Escaped so that a reader takes it for itself, not for an escape.
            text += "\\\\";
        } else {
            text += static_cast<char>(byte);
        }
    }
    text += ')';
    return text;
}

}  // namespace ZAVPDF
