// Turns one unpacked PCX scanline (all planes of a row, bytes per line
// apart) into an image row of the chosen depth. Only the image width is
// written, however long the planes' rows are.
#pragma once

#include "formats/pcx/PcxHeader.h"

#include <cstdint>

namespace ZAV {

// Refuses multi-plane rows at 2 or 4 bits and more than 4 bit planes
// (code 7); the header checks of PcxLayout.h have run before.
void ConvertPcxRow(const PcxHeader& header, const uint8_t* scanline, int width, uint8_t* row);

}  // namespace ZAV
