// The header and records of old-style metafiles ([MS-WMF] META_HEADER and
// the record layout of RecordSize in 16-bit words, RecordFunction, then the
// parameters), each record checked before it is handed on: at least three
// words, inside the data, and no more records than the layer's ceiling.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace ZAV {
namespace Meta {

struct WmfHeader {
    uint16_t type = 0;  // 1 in memory, 2 on disk
    uint16_t version = 0;
    size_t bytes = 0;  // the metafile's whole size from its Size field
};

struct WmfRecord {
    uint16_t function = 0;
    const uint8_t* params = nullptr;  // after RecordSize and RecordFunction
    size_t paramBytes = 0;
};

// False unless the data starts with a META_HEADER of type 1 or 2, a 9-word
// header, and a Size that covers the header and lies inside the data.
bool ReadWmfHeader(const uint8_t* data, size_t size, WmfHeader& header);

enum class WmfWalk { Done, Broken, Stopped };

// Calls visit for every record up to META_EOF (not visited); a visit
// returning false stops the walk.
WmfWalk WalkWmfRecords(const uint8_t* data, const WmfHeader& header,
                       const std::function<bool(const WmfRecord&)>& visit);

}  // namespace Meta
}  // namespace ZAV
