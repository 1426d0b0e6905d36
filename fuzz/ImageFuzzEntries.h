// What the image fuzz targets do with one input, shared with the test that
// replays every input kept under tests/data/fuzz/. Each input must convert
// without a crash or undefined behaviour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"

#include <unistd.h>

namespace ZAVFuzz {

// One DIB row as a file would give it: a bit count, three bit-field masks
// (or none), then the row's bytes.
inline void ConvertDibRow(const uint8_t* data, size_t size)
{
    const size_t kHead = 1 + 1 + 12;
    if (size < kHead)
        return;
    const int bitCount = data[0] % 64;
    const bool withMasks = data[1] & 1;
    uint32_t masks[3];
    std::memcpy(masks, data + 2, sizeof(masks));
    const size_t rowBytes = size - kHead;
    const int pixels = bitCount ? static_cast<int>(rowBytes * 8 / static_cast<size_t>(bitCount)) : 0;
    std::vector<uint8_t> row(data + kHead, data + size);
    // 48-bit rows keep six bytes a pixel, every other depth three.
    std::vector<uint8_t> image(static_cast<size_t>(pixels) * (bitCount == 48 ? 6 : 3) + 1);
    std::vector<uint32_t> palette(256, 0x00808080);
    ZAV::CImgKernels kernels;
    kernels.DibRowToImage(row.data(), image.data(), pixels, bitCount, palette.data(), withMasks ? masks : nullptr);
}

// The bytes as a packed DIB: its icon bits found, then read as 24-bit rows
// and as 8- and 1-bit indices.
inline void DecodeDib(const uint8_t* data, size_t size)
{
    ZAV::GetDibBits(data, size);
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

// The bytes as a picture file loaded the OLE way: read whole, made a
// device bitmap by the picture loader, then a 24-bit image. Refusals are
// fine; only crashes and undefined behaviour are findings.
inline void LoadThroughOle(const uint8_t* data, size_t size)
{
    char name[] = "/tmp/zav_ole_fuzz_XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    ZAV::CZAVImg image;
    try {
        if (written)
            image.LoadFromFileThroughOle(name);
    } catch (const CTextException&) {
    }
    unlink(name);
}

}  // namespace ZAVFuzz
