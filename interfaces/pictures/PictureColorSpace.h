// What the /ColorSpace and /BitsPerComponent of an image dictionary make of
// its picture: the depth of the image, its palette, and whether the samples
// are CMYK that must become RGB.
#pragma once

#include <cstdint>

#include "image/core/ZAVImgBase.h"
#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {
class CPDFDictionary;
}

namespace ZAV {

struct CPictureColor {
    zavBitsPerPixel depth = zavbpp24;
    // Red, green, blue triples of an /Indexed lookup table.
    ZAVPDF::CPDFByteArray palette;
    // 8-bit grey pictures get the grey ramp.
    bool grayRamp = false;
    // Four samples a pixel, cyan, magenta, yellow, black.
    bool cmyk = false;
};

// bitsPerComponent is 1 or 8 (checked before). Fails with "Unsupported
// colorspace %s", "Colorspace entry should be Name or Array!", "Unexpected
// colorspace arraysize!", "Unsupported colorspace palette type!" or "Invalid
// image BitsPerComponent value! (%s)" for a colour space that needs 8 bits.
CPictureColor ReadPictureColor(const ZAVPDF::CPDFDictionary& dictionary, int bitsPerComponent);

// The lookup table of an /Indexed space: a string's bytes, or a stream's
// data (inflated when Flate-coded); each byte tripled with expandGray.
void ReadPaletteData(const ZAVPDF::CPDFObjectPtr& lookup, bool expandGray, ZAVPDF::CPDFByteArray& palette);

}  // namespace ZAV
