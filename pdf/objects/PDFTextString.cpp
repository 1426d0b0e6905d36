#include "pdf/objects/PDFTextString.h"

#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFString.h"

#include <cstdint>

namespace ZAVPDF {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;
constexpr uint32_t kLastCodePoint = 0x10FFFF;
constexpr uint32_t kFirstSurrogate = 0xD800;
constexpr uint32_t kFirstLowSurrogate = 0xDC00;
constexpr uint32_t kLastSurrogate = 0xDFFF;
constexpr uint32_t kFirstSupplementary = 0x10000;

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// The lead bytes of multi-byte UTF-8 sequences: the bits that mark them,
// the continuation bytes that follow and the smallest code point that needs
// that many (a smaller one is an overlong form).
struct CUtf8Lead {
    unsigned char mask, marker;
    int following;
    uint32_t smallest;
};
constexpr CUtf8Lead kUtf8Leads[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};

// The code point of the UTF-8 sequence at text[at], advancing at past it;
// an invalid, overlong or truncated sequence gives U+FFFD for its first byte.
uint32_t NextCodePoint(const std::string& text, size_t& at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    for (const CUtf8Lead& kind : kUtf8Leads) {
        if ((lead & kind.mask) != kind.marker)
            continue;
        if (text.size() - at < static_cast<size_t>(kind.following))
            return kReplacement;
        uint32_t point = lead & static_cast<unsigned char>(~kind.mask);
        for (int i = 0; i < kind.following; ++i) {
            const unsigned char next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return kReplacement;
            point = (point << 6) | (next & 0x3F);
        }
        if (point < kind.smallest || point > kLastCodePoint || (point >= kFirstSurrogate && point <= kLastSurrogate))
            return kReplacement;
        at += static_cast<size_t>(kind.following);
        return point;
    }
    return kReplacement;
}

void PutUnit(std::string& out, uint32_t unit)
{
    out += static_cast<char>((unit >> 8) & 0xFF);
    out += static_cast<char>(unit & 0xFF);
}

}  // namespace

std::string PdfTextStringBytes(const std::string& utf8)
{
    if (IsAscii(utf8))
        return utf8;
    std::string bytes = "\xFE\xFF";
    for (size_t at = 0; at < utf8.size();) {
        const uint32_t point = NextCodePoint(utf8, at);
        if (point < kFirstSupplementary) {
            PutUnit(bytes, point);
        } else {
            const uint32_t offset = point - kFirstSupplementary;
            PutUnit(bytes, kFirstSurrogate + (offset >> 10));
            PutUnit(bytes, kFirstLowSurrogate + (offset & 0x3FF));
        }
    }
    return bytes;
}

boost::shared_ptr<CPDFString> CreatePDFTextString(CPDFDocument* document, const std::string& utf8)
{
    return CreatePDFString(document, PdfTextStringBytes(utf8), !IsAscii(utf8));
}

}  // namespace ZAVPDF
