// Logical palettes. An 8-bit device shows only colours of the palette
// selected into its DC: every colour drawn there becomes the nearest entry.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <vector>

HPALETTE CreatePalette(const LOGPALETTE* logPalette);
// The fixed 256-entry palette for drawing colour pictures on 8-bit devices.
HPALETTE CreateHalftonePalette(HDC dc);
// Returns the palette it replaces; null on failure.
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
// The number of entries of the selected palette; GDI_ERROR for a bad DC.
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
// What an 8-bit device shows (the halftone entries); 0 on other devices.
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);

constexpr UINT GDI_ERROR = 0xFFFFFFFF;

namespace ZAV {
namespace Gdi {
// The 20 colours of the stock DEFAULT_PALETTE.
std::vector<PALETTEENTRY> DefaultPaletteEntries();
// The 256 colours of the halftone palette: a 6 x 6 x 6 cube, the 20
// default colours and 20 extra greys.
std::vector<PALETTEENTRY> HalftonePaletteEntries();
}  // namespace Gdi
}  // namespace ZAV
