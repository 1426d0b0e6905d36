// The device-independent bitmaps inside bitmap records: located and checked
// (header, colour table and bits inside their record, sizes within the
// ceiling), and written. Uncompressed 1, 4, 8, 24 and 32-bit DIBs with RGB
// colour tables are the ones this layer plays.
#pragma once

#include "platform/gdi/metafile/MetaBytes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {
namespace Meta {

enum class DibCheck { Ok, Unsupported, Broken };

// Where a DIB lies in its record, in bytes from the record's start.
struct DibPlace {
    uint64_t offInfo = 0;
    uint64_t cbInfo = 0;
    uint64_t offBits = 0;
    uint64_t cbBits = 0;
    // Set for a band of a DIB: the rows the bits hold, from the header's
    // first; 0 for the whole DIB.
    uint64_t bandRows = 0;
};

struct RecordDib {
    std::vector<uint8_t> info;  // a 40-byte header and the colour table, aligned for BITMAPINFO
    const uint8_t* bits = nullptr;
    LONG width = 0;
    LONG rows = 0;
    bool bottomUp = true;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// The DIB at that place of a record of recordSize bytes, for colour usage
// usage (only DIB_RGB_COLORS is played).
DibCheck LocateDib(const uint8_t* record, uint64_t recordSize, const DibPlace& place, uint32_t usage, RecordDib& dib);

// A packed DIB (header, colour table, bits) filling size bytes; bandRows
// as in DibPlace.
DibCheck LocatePackedDib(const uint8_t* data, uint64_t size, uint32_t usage, uint64_t bandRows, RecordDib& dib);

// A caller's DIB for recording: its header and colour table as they will
// be written, and the bytes of its bits. Unsupported for what is not played.
DibCheck DescribeCallerDib(const BITMAPINFO* info, const void* bits, RecordDib& dib, uint64_t& bitsBytes);

}  // namespace Meta
}  // namespace ZAV
