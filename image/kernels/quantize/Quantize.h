// The colour quantizers on whole image buffers: 24-bit (or, one-pass only,
// 8-bit gray) rows in, 8-bit palette indices out, with the palette.
#pragma once

#include "image/kernels/ImgKernels.h"
#include "platform/WinTypes.h"

#include <cstdint>

namespace ZAV {

// sourceBits 24 (or 8 for the one-pass); targetBits 8. The palette (at
// least 256 entries, blue, green, red, alpha) gets the chosen colours, its
// alpha bytes left as they were; colorCount their number. ditherMode 0
// none, 1 ordered, 2 Floyd-Steinberg (the two-pass takes 1 as 2). On
// failure 0 with the quantizer's text in the context; a cancel also fails.
int QuantizeOnePass(CImgKernels& context, const BYTE* source, int sourceBits, BYTE* target, int targetBits, int width,
                    int height, int& colorCount, uint32_t* palette, int ditherMode, int maxColors);
int QuantizeTwoPass(CImgKernels& context, const BYTE* source, int sourceBits, BYTE* target, int targetBits, int width,
                    int height, int& colorCount, uint32_t* palette, int ditherMode, int maxColors);

}  // namespace ZAV
