// Questions the drawer asks of a device.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

// BITSPIXEL is 8: colours go through a palette.
bool IsDC8Bit(HDC dc);
// More than 16 bits a pixel: enough for the antialiased modes (a 16-bit
// device shows their soft edges as bands).
bool IsDCDeeperThan16Bits(HDC dc);
// A raster printer or a metafile: no device bitmaps are kept for it.
bool IsPrinterOrMetafile(HDC dc);
// Selects the remembered palette back when one was selected.
void RestorePalette(HDC dc, HPALETTE& remembered);

}  // namespace ZAV
