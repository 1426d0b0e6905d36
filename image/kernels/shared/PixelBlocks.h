// Sizes of pixel data in 64 bits and the zero-filled blocks kernels write
// their results into, refused above the image ceiling.
#pragma once

#include "image/core/ImageLimits.h"
#include "platform/GlobalMem.h"

#include <cstddef>
#include <cstdint>

namespace ZAV {

// count x bytesEach in 64 bits; 0 for a negative count.
inline size_t SpanBytes(int64_t count, int64_t bytesEach)
{
    return count > 0 && bytesEach > 0 ? static_cast<size_t>(count * bytesEach) : 0;
}

// Bytes of a 1-bit row of width pixels.
inline size_t BitRowBytes(int64_t width)
{
    return width > 0 ? static_cast<size_t>((width + 7) / 8) : 0;
}

// count x rows x bytesEach, or -1 when a factor is negative or the product
// passes kMaxImageBytes (tested by division, so nothing overflows).
inline int64_t BlockBytes(int64_t count, int64_t rows, int64_t bytesEach)
{
    if (count < 0 || rows < 0 || bytesEach < 0)
        return -1;
    if (count == 0 || rows == 0 || bytesEach == 0)
        return 0;
    if (count > kMaxImageBytes / bytesEach || rows > kMaxImageBytes / (count * bytesEach))
        return -1;
    return count * rows * bytesEach;
}

// A GPTR block of the given size; null when the size is negative, passes
// kMaxImageBytes, or the heap refuses.
inline HGLOBAL AllocPixelBlock(int64_t bytes)
{
    if (!IsWithinImageCeiling(bytes))
        return nullptr;
    return GlobalAlloc(GPTR, static_cast<size_t>(bytes));
}

}  // namespace ZAV
