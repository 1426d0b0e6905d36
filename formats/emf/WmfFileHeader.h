// The headers at the start of a metafile file: the optional 22-byte
// placeable header (key 0x9AC6CDD7, bounding box and units per inch) and
// the metafile header after it, whose first word, the type, must be 1 or 2
// (an enhanced metafile passes too: its first record's type is 1).
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderBytes = 22;
constexpr size_t kMetafileHeaderBytes = 18;
// Every header the decoder looks at lies within these first bytes.
constexpr size_t kMetafileHeadBytes = kPlaceableHeaderBytes + kMetafileHeaderBytes;

struct WmfFileHeader {
    bool placeable = false;
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
    uint16_t unitsPerInch = 0;
    // The picture's size in screen pixels; 0 x 0 when the file gives none.
    int width = 0;
    int height = 0;
};

// The headers of the data's first bytes; throws "Invalid file header!" when
// the metafile header is missing or of another type.
WmfFileHeader ReadWmfFileHeader(const uint8_t* data, size_t size);

}  // namespace ZAV
