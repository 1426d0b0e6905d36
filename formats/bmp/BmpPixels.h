// The pixels of a BMP file as image rows. The file's parts are gathered
// into a packed DIB of the plain form (40-byte header, 4-byte colour
// entries, pixels right after them) that the DIB readers check and convert.
#pragma once

#include "formats/bmp/BmpLayout.h"
#include "image/core/GlobalMemBlock.h"

#include <cstdint>
#include <vector>

namespace ZAV {

struct BmpPixels {
    CGlobalMemBlock rows;  // top-down image rows of the depth
    int64_t size = 0;
    uint32_t palette[256] = {};
    int paletteCount = 0;  // the file's entries, at most 2^bits
};

// Throws through the decoder base's ThrowError.
void DecodeBmpPixels(const std::vector<uint8_t>& file, const BmpLayout& layout, int depth, BmpPixels& out);

}  // namespace ZAV
