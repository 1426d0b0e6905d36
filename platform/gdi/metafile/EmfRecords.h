// Walking the records of an enhanced metafile after its header, each one
// checked before it is handed on: at least the 8 bytes of Type and Size, a
// multiple of 4, inside the data and inside the header's byte count, and no
// more records than the layer's ceiling.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace ZAV {
namespace Meta {

struct EmfRecord {
    uint32_t type = 0;
    uint32_t size = 0;              // bytes, Type and Size included
    const uint8_t* data = nullptr;  // the record from its Type field
};

enum class WalkResult { Done, Broken, Stopped };

// Calls visit for every record after the header up to EMR_EOF (visited
// too); a visit returning false stops the walk. Broken names a record that
// failed a size check in brokenType (0 when even its type is not there).
WalkResult WalkEnhRecords(const uint8_t* data, const ENHMETAHEADER& header,
                          const std::function<bool(const EmfRecord&)>& visit, uint32_t& brokenType);

}  // namespace Meta
}  // namespace ZAV
