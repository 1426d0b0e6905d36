// The video-for-windows DIB drawer, drawn here as StretchDIBits; opening
// and drawing can be made to fail through the graphics knobs.
#pragma once

#include "platform/gdi/GdiTypes.h"

using HDRAWDIB = void*;

constexpr UINT DDF_SAME_HDC = 0x0004;
constexpr UINT DDF_BACKGROUNDPAL = 0x0200;
constexpr UINT DDF_HALFTONE = 0x8000;

HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB drawDib);
BOOL DrawDibSetPalette(HDRAWDIB drawDib, HPALETTE palette);
// The number of palette entries mapped (0 without a palette).
UINT DrawDibRealize(HDRAWDIB drawDib, HDC dc, BOOL background);

// The source rectangle of the DIB (rows from the top of the picture; -1
// widths and heights mean the whole DIB) stretched onto the destination.
BOOL DrawDibDraw(HDRAWDIB drawDib, HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int sourceX, int sourceY, int sourceWidth, int sourceHeight, UINT flags);
