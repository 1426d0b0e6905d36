// Bitmaps of the software graphics layer: device bitmaps (one colour a
// pixel, or monochrome) and DIB sections (DIB bits the caller writes).
#pragma once

#include "platform/gdi/GdiTypes.h"

// A DIB section of 1, 4, 8, 16, 24 or 32 bits; *bits receives its zeroed
// pixel rows. The section object and offset are not used.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);

// A device bitmap of the DC's depth with the header's size; with CBM_INIT
// its pixels are taken from the DIB (info, bits).
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);

// A device bitmap in the format of the DC's surface: monochrome when the DC
// is a memory DC that holds a monochrome bitmap.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// A monochrome bitmap (1 plane, 1 bit; others are refused), its rows given
// WORD-padded, most significant bit first, or zero (black) when null.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);

// Copies rows of a bitmap into a DIB of the requested bit count (1, 4, 8,
// 16, 24 or 32, BI_RGB). With bits null only the header (and colour table)
// is filled; a header with bit count 0 is filled in from the bitmap. Rows
// count from the bottom for a bottom-up DIB. Returns the rows copied, or 0.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
