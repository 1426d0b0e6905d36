// Text strings (ISO 32000-1, 7.9.2.2) made from UTF-8 text: plain ASCII as
// it is, which PDFDocEncoding reads the same, anything else as UTF-16BE
// behind its byte-order mark, so readers show the characters meant.
#pragma once

#include <boost/shared_ptr.hpp>

#include <string>

namespace ZAVPDF {

class CPDFDocument;
class CPDFString;

// The bytes of the text string for the UTF-8 text; a byte that starts no
// valid UTF-8 sequence stands for U+FFFD.
std::string PdfTextStringBytes(const std::string& utf8);

// A string object of those bytes: literal for ASCII, hexadecimal otherwise.
boost::shared_ptr<CPDFString> CreatePDFTextString(CPDFDocument* document, const std::string& utf8);

}  // namespace ZAVPDF
