// The /Filter list of an image dictionary and the tests on it.
#pragma once

#include <boost/shared_ptr.hpp>

#include <vector>

namespace ZAVPDF {
class CPDFDictionary;
class CPDFName;
}  // namespace ZAVPDF

namespace ZAV {

typedef std::vector<boost::shared_ptr<ZAVPDF::CPDFName>> CPictureFilterList;

// Absent /Filter gives no names, a name itself, an array its name elements
// in order (others skipped); any other object fails with "Unsupported filter
// PDF object type!".
CPictureFilterList ReadFilters(const ZAVPDF::CPDFDictionary& dictionary);

// Exactly one filter, named "/DCTDecode" (or "/JPXDecode" for the second) with
// this case: such data is a whole JPEG (JPEG 2000) file as it stands.
bool HasOnlyDctFilter(const CPictureFilterList& filters);
bool HasOnlyJpxFilter(const CPictureFilterList& filters);

// The filter's name (with its slash) compared ignoring case.
bool IsFilterNamed(const ZAVPDF::CPDFName& filter, const char* name);
bool IsFlateFilter(const ZAVPDF::CPDFName& filter);

}  // namespace ZAV
