// Reading and writing single pixels of a DIB held in memory (header,
// optional bit-field masks, colour table, padded rows). The blits, DIB
// sections and GetDIBits all go through it.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

namespace ZAV {
namespace Gdi {

struct DibView {
    LONG width = 0;
    LONG height = 0;  // rows, always positive
    bool bottomUp = true;
    WORD bitCount = 0;
    size_t stride = 0;
    const RGBQUAD* colours = nullptr;
    DWORD colourCount = 0;
    DWORD masks[3] = {0, 0, 0};
    uint8_t* bits = nullptr;
};

// Bytes of one padded row.
size_t DibStride(LONG width, WORD bitCount);

// Describes a DIB with a 40-byte header: bit count 1, 4, 8, 16, 24 or 32,
// BI_RGB, or BI_BITFIELDS at 16 and 32 bits. False for anything else.
bool MakeDibView(const BITMAPINFO* info, const void* bits, DibView& view);

// Bytes of header, masks and colour table in front of the bits.
size_t DibInfoSize(const BITMAPINFOHEADER& header);

// y counts from the top row of the picture.
COLORREF ReadDibPixel(const DibView& view, LONG x, LONG y);
// Colours of 1-8 bit DIBs are stored as the nearest table entry.
void WriteDibPixel(const DibView& view, LONG x, LONG y, COLORREF colour);

}  // namespace Gdi
}  // namespace ZAV
