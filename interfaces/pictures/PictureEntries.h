// Reading entries of image dictionaries that may be missing, given by
// reference, or wrapped in indirect objects.
#pragma once

#include <string>

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {
class CPDFDictionary;
}

namespace ZAV {

// The entry's value as it stands; empty when the key is missing.
ZAVPDF::CPDFObjectPtr OptionalEntry(const ZAVPDF::CPDFDictionary& dictionary, const std::string& key);

// A reference's target, and an indirect object's inner object.
ZAVPDF::CPDFObjectPtr DirectValue(const ZAVPDF::CPDFObjectPtr& value);

}  // namespace ZAV
