// What the image fuzz targets do with one input, shared with the test that
// replays every input kept under tests/data/fuzz/. Each input must end in
// pixels or a refusal: never a crash, a hang or a leak.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/kernels/ImgKernels.h"
#include "platform/GlobalMem.h"

namespace ZAVFuzz {

// The bytes as a packed DIB, read as 24-bit rows and as 8- and 1-bit indices.
inline void DecodeDib(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GHND, size);
    if (!block)
        return;
    if (size)
        std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    ZAV::CImgKernels kernels;
    int width = 0, height = 0, colours = 0;
    uint32_t palette[256];
    GlobalFree(kernels.DibToImage24(block, width, height));
    GlobalFree(kernels.DibToImage8(block, 8, width, height, colours, palette));
    GlobalFree(kernels.DibToImage8(block, 1, width, height, colours, palette));
    GlobalFree(block);
}

}  // namespace ZAVFuzz
