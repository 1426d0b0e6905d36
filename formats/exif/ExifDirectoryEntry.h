// One 12-byte directory entry as the reader holds it while formatting
// (TIFF 6.0, section 2: tag, type, count, value field).
#pragma once

#include <cstdint>

#include "formats/exif/ExifBlock.h"

namespace ZAV {

constexpr uint64_t kExifEntryBytes = 12;
// A TIFF offset o names block position o + 8: the segment length and
// "Exif" with two zero bytes stand before the TIFF header.
constexpr uint64_t kExifTiffStart = 8;

struct ExifDirectoryEntry {
    int tag = 0;
    int type = 0;
    uint32_t count = 0;
    // The value field as a number in the block's byte order (an offset when
    // the value does not fit into it) and its four bytes in file order.
    uint32_t field = 0;
    uint8_t fieldBytes[4] = {0, 0, 0, 0};
    // The field as two 16-bit values in the block's byte order: low byte
    // then high byte of the first, then of the second.
    int valueBytes[4] = {0, 0, 0, 0};

    // Block position of an offset value.
    uint64_t ValuePosition() const { return uint64_t(field) + kExifTiffStart; }
};

// The entry at the block position; throws when it passes the block's end.
ExifDirectoryEntry ReadExifDirectoryEntry(const CExifBlock& block, uint64_t position);

}  // namespace ZAV
