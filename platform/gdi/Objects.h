// Stock objects, deleting objects and asking what an object is.
#pragma once

#include "platform/gdi/GdiTypes.h"

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;
// DEFAULT_PALETTE (15) is declared with the types.

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

namespace ZAV {
namespace Gdi {
// The 1 x 1 monochrome bitmap a new memory DC holds.
constexpr int kStockMonoBitmap = 21;
}  // namespace Gdi
}  // namespace ZAV

// The same handle on every call; null for an unknown index.
HGDIOBJ GetStockObject(int index);

// Frees a bitmap, palette, pen, brush, font or region. Stock objects stay
// (TRUE); a bitmap still selected into a DC is refused (FALSE).
BOOL DeleteObject(HGDIOBJ object);

// A bitmap gives BITMAP, a palette its entry count (a WORD), a font its
// LOGFONTA. Returns the bytes written, 0 when the buffer is too small or
// the handle unknown; with a null buffer, the bytes needed.
int GetObjectA(HGDIOBJ object, int size, void* out);
