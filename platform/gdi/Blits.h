// Copying pixels between device contexts, and from DIBs onto a DC. Every
// stretch takes the nearest source pixel, whatever the stretch mode.
// Colour becomes monochrome by the source DC's background colour (that
// colour gives 1, white; every other 0), and monochrome becomes colour as
// the destination's text colour (0) and background colour (1). Only the
// pixels inside the destination's clip change.
#pragma once

#include "platform/gdi/GdiTypes.h"

// Raster operations SRCCOPY, SRCAND, SRCPAINT and NOTSRCCOPY.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop);

// A rectangle of a DIB onto the DC. As in the DIB's own coordinates, the
// source y of a bottom-up DIB counts from its bottom row. Returns the number
// of source rows, 0 on failure.
int StretchDIBits(HDC dest, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

// Rows of a DIB one to one onto the DC; the bits hold lines rows of the DIB
// from row startScan (counted from the bottom of a bottom-up DIB). Returns
// the lines, 0 on failure.
int SetDIBitsToDevice(HDC dest, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
