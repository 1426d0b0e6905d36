// The object numbers of one page, in the order they are written: page,
// content stream, procedure set, image XObject, its length, colour space,
// and for an 8-bit image the palette stream and its length.
#pragma once

#include <cstdint>

#include "formats/pdf/PDFEncoder.h"

namespace ZAV {

struct CPDFEncoder::PageObjects {
    uint32_t page = 0;
    int32_t index = 0;
    CZAVImg* image = nullptr;

    uint32_t Content() const { return page + 1; }
    uint32_t ProcedureSet() const { return page + 2; }
    uint32_t XObject() const { return page + 3; }
    uint32_t Length() const { return page + 4; }
    uint32_t ColourSpace() const { return page + 5; }
    uint32_t Palette() const { return page + 6; }
    uint32_t PaletteLength() const { return page + 7; }
};

}  // namespace ZAV
