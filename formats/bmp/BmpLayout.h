// Where the parts of a BMP file lie: the file header, the info header (core,
// v3, v4 or v5), the colour table and the pixel data at the file header's
// offset. Reading fails through the decoder base's ThrowError.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

struct BmpLayout {
    uint32_t headerSize = 0;        // 12, 40, 108 or 124
    BITMAPINFOHEADER header{};      // a core header widened, biClrUsed filled in
    const char* subType = nullptr;  // "v3", "v4", "v5"; none for a core header
    int32_t width = 0;
    int32_t rows = 0;          // the height's magnitude
    bool topDown = false;      // a negative height
    int64_t tableEntries = 0;  // the colour table's entries (0 above 8 bits)
    int tableEntrySize = 4;    // 3 after a core header
    size_t tableOffset = 0;
    size_t bitsOffset = 0;  // the file header's pixel-data offset
};

// Checks and places everything up to the pixel data; the pixel data itself
// is checked when the picture is decoded.
BmpLayout ReadBmpLayout(const std::vector<uint8_t>& file);

// 1 for 1 bit, 8 for 4 and 8 bits, 24 for 24 and 32 bits.
int BmpImageDepth(int bitCount);

// The run-length codes (the bytes from offset to the end of the file) of a
// 4- or 8-bit picture whose compression field is not 0.
bool IsRunLengthCoded(const BmpLayout& layout);

}  // namespace ZAV
