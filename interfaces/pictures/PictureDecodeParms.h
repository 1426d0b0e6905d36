// The /DecodeParms of an image dictionary: one set of values for each
// filter of its /Filter list.
#pragma once

#include <cstdint>
#include <vector>

#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {
class CPDFDictionary;
}

namespace ZAV {

struct CPictureDecodeParms {
    // The /JBIG2Globals stream's bytes (its own Flate coding undone), put in
    // front of the page data.
    ZAVPDF::CPDFByteArray globals;
    // /Columns, /Rows and /Colors are read for completeness; the decoders
    // take the picture's own width, height and depth.
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t k = 0;
    int32_t blackIs1 = 0;
    int32_t predictor = 1;
    int32_t colors = 3;
};

// Reads the keys of one dictionary (a reference or an indirect object is
// read through) into parms; absent keys keep their values, anything that is
// no dictionary changes nothing.
void ReadDecodeParmsEntry(const ZAVPDF::CPDFObjectPtr& entry, CPictureDecodeParms& parms);

// One set for each of filterCount filters (at least one set): with a
// /DecodeParms array filter i takes element i (ISO 32000-1, 7.3.8.2), a
// single dictionary serves every filter. Only the last set holds the
// /JBIG2Globals bytes: the filters before the last one are Flate steps.
std::vector<CPictureDecodeParms> ReadDecodeParms(const ZAVPDF::CPDFDictionary& dictionary, size_t filterCount);

}  // namespace ZAV
