// The value text of a directory entry made from its own type and count
// (TIFF 6.0, section 2, field types 1 to 10).
#pragma once

#include <string>

#include "formats/exif/ExifBlock.h"
#include "formats/exif/ExifDirectoryEntry.h"

namespace ZAV {

enum ExifFieldType {
    kExifByte = 1,
    kExifAscii = 2,
    kExifShort = 3,
    kExifLong = 4,
    kExifRational = 5,
    kExifSignedByte = 6,
    kExifUndefined = 7,
    kExifSignedShort = 8,
    kExifSignedLong = 9,
    kExifSignedRational = 10
};

// Bytes a value keeps in the value field itself; longer ones sit at their
// offset.
constexpr uint32_t kExifFieldBytes = 4;

// Bytes: "%d" of the first; texts up to their first zero; shorts and longs
// as numbers; rationals as "n/" "d " each; undefined bytes as hexadecimal;
// any other type gives "". Throws when a value passes the block's end.
std::string FormatValue(const CExifBlock& block, const ExifDirectoryEntry& entry);

// count rationals at the entry's offset, each "%d/" "%d ", whatever the type.
std::string FormatRationals(const CExifBlock& block, const ExifDirectoryEntry& entry);

// The entry's count bytes: from the value field when they fit, else from the
// offset (checked against the block).
const uint8_t* ExifValueBytes(const CExifBlock& block, const ExifDirectoryEntry& entry);

}  // namespace ZAV
