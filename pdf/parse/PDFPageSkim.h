// A look at the bytes of a page tree kid that tells whether they hold a
// plain page object, without building any object. Opening a document lists
// its pages this way and reads each page object only when it is used, so a
// large document opens without holding every page dictionary.
#pragma once

#include <cstddef>

namespace ZAVPDF {

// True when data, the bytes at the cross-reference offset of objectNumber,
// start with "objectNumber generation obj", hold one dictionary whose only
// /Type entry is the name /Page, and end it with "endobj". The look accepts
// only input that the parser reads without complaint: anything unusual (a
// comment, an escape, a stream, nesting, a sign, bytes beyond data) answers
// false and leaves the object to the parser, which then reads it at once.
bool IsPlainPageObject(const unsigned char* data, size_t size, int objectNumber, int generation);

}  // namespace ZAVPDF
