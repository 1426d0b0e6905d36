// Rectangular clip regions. Region coordinates are device coordinates;
// combining two rectangles with RGN_AND keeps them rectangular, so a clip
// is always one rectangle (possibly empty).
#pragma once

#include "platform/gdi/GdiTypes.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom);

// Replaces the DC's clip by a copy of the region; null removes the clip.
// Returns NULLREGION, SIMPLEREGION or ERROR.
int SelectClipRgn(HDC dc, HRGN region);

// RGN_COPY as SelectClipRgn; RGN_AND intersects with the current clip (or
// the whole surface when there is none). Other modes give ERROR.
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);

// 1 and the clip copied into the region when the DC has one; 0 when it has
// none; -1 on error.
int GetClipRgn(HDC dc, HRGN region);

// The drawable rectangle in logical coordinates and its region kind.
int GetClipBox(HDC dc, RECT* box);
