#include "pdf/objects/PDFName.h"

namespace ZAVPDF {

CPDFName::CPDFName(CPDFDocument* document, const std::string& text) : CPDFObjectBase(ptName, document), m_text(text)
{
}

CPDFName::~CPDFName() = default;

CPDFObjectPtr CPDFName::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&, CPDFKeySet&, bool)
{
    CPDFObjectPtr copy(new CPDFName(targetDocument, m_text));
    copy->SetModified(true);
    return copy;
}

namespace {

bool IsPlainNameByte(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           byte == '_' || byte == '-' || byte == '*' || byte == '?' || byte == ';';
}

}  // namespace

std::string EscapePDFName(const std::string& name)
{
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    if (name.empty())
        return text;
    text.reserve(name.size() + 8);
    text += name[0];
    for (size_t i = 1; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (IsPlainNameByte(byte)) {
            text += static_cast<char>(byte);
        } else {
            text += '#';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

std::string CPDFName::ToPDFString() const
{
    return EscapePDFName(m_text);
}

}  // namespace ZAVPDF
