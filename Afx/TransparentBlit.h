// Drawing a bitmap with one colour left out, by the classic mask method:
// the pixels of the transparent colour keep what the destination had.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent);

// The source rectangle of the bitmap stretched onto the destination
// rectangle (both with exclusive right and bottom) with the stretch mode,
// then drawn without the transparent colour.
void DrawTransparentBitmapStretched(HDC dc, HBITMAP bitmap, const RECT& destination, const RECT& source,
                                    COLORREF transparent, int stretchMode);

}  // namespace ZAV
