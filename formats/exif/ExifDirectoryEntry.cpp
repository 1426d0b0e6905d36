#include "formats/exif/ExifDirectoryEntry.h"

#include <cstring>

namespace ZAV {

ExifDirectoryEntry ReadExifDirectoryEntry(const CExifBlock& block, uint64_t position)
{
    const uint8_t* bytes = block.At(position, kExifEntryBytes);
    ExifDirectoryEntry entry;
    entry.tag = block.WordOf(bytes);
    entry.type = block.WordOf(bytes + 2);
    entry.count = block.DWordOf(bytes + 4);
    entry.field = block.DWordOf(bytes + 8);
    std::memcpy(entry.fieldBytes, bytes + 8, 4);
    const uint16_t first = block.WordOf(bytes + 8);
    const uint16_t second = block.WordOf(bytes + 10);
    entry.valueBytes[0] = first & 0xFF;
    entry.valueBytes[1] = first >> 8;
    entry.valueBytes[2] = second & 0xFF;
    entry.valueBytes[3] = second >> 8;
    return entry;
}

}  // namespace ZAV
