// Text strings from UTF-8: ASCII as it is, the rest UTF-16BE behind its
// byte-order mark, with U+FFFD for bytes that are no UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFString.h"
#include "pdf/objects/PDFTextString.h"

using namespace ZAVPDF;

namespace {

std::string Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 0x0F];
    }
    return text;
}

TEST(PDFTextString, AsciiStaysAndTheRestIsUtf16BigEndian)
{
    const struct {
        const char* utf8;
        const char* hex;  // the text string's bytes
    } cases[] = {
        {"", ""},
        {"Layers (1)", "4C617965727320283129"},
        {"\xC3\x84pfel", "FEFF00C4007000660065006C"},  // two-byte sequence
        {"\xE2\x82\xAC", "FEFF20AC"},                  // three-byte sequence
        {"a\xF0\x9F\x98\x80", "FEFF0061D83DDE00"},     // a surrogate pair
        {"\xFF"
         "b",
         "FEFFFFFD0062"},      // no lead byte
        {"\xC3", "FEFFFFFD"},  // cut short
        {"\xC3"
         "b",
         "FEFFFFFD0062"},                              // no continuation
        {"\xC0\xAF", "FEFFFFFDFFFD"},                  // overlong
        {"\xED\xA0\x80", "FEFFFFFDFFFDFFFD"},          // a surrogate's code
        {"\xF4\x90\x80\x80", "FEFFFFFDFFFDFFFDFFFD"},  // past U+10FFFF
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(PdfTextStringBytes(c.utf8)), c.hex) << Hex(c.utf8);
}

TEST(PDFTextString, WrittenLiteralForAsciiAndHexOtherwise)
{
    CPDFDocument document;
    EXPECT_EQ(CreatePDFTextString(&document, "Layers")->ToPDFString(), "(Layers)");
    EXPECT_EQ(CreatePDFTextString(&document, "\xC3\xBC")->ToPDFString(), "<FEFF00FC>");
}

}  // namespace
