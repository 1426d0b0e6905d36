// Rows between the image layout (red first, top-down, unpadded) and the DIB
// layout (blue first, bottom-up, rows padded to a stride), and palette
// indices between one byte a pixel and packed bit streams. The routines
// that are kernels of CImgKernels are declared there.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

// Swaps bytes 0 and 2 of each of width x height 3-byte pixels.
void SwapRedBlue(BYTE* data, int width, int height);
// Swaps 16-bit samples 0 and 2 of each of width x height 6-byte pixels.
void SwapRedBlue48(BYTE* data, int width, int height);

// DIB row 0 is image row height - 1 and so on; each pixel's channels are
// written in reverse order. Bytes after the pixels of a DIB row are left
// as they are. 0, or error code 105 for a missing buffer, a zero size or a
// stride too small for a row.
int ImageToDib24(const BYTE* source, BYTE* target, int width, int height, int targetStride);
int ImageToDib48(const BYTE* source, BYTE* target, int width, int height, int targetStride);

// One byte a pixel from a packed row: 1 bit most significant first, 4 bits
// high nibble first, 8 bits copied; other bit counts do nothing.
void UnpackIndices(const BYTE* source, BYTE* target, int pixelCount, int bitCount);

// A channel of a 16-bit DIB pixel under a bit-field mask, widened to 8 bits
// by repeating its high bits (so the lowest value gives 0 and the highest
// 255); an empty mask gives 0, a mask wider than 8 bits its top 8 bits.
BYTE ExpandMaskedChannel(uint32_t pixel, uint32_t mask);

}  // namespace ZAV
