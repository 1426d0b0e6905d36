// Ceilings of the metafile layer, each with the reason it holds, so that no
// metafile alone drives memory or time.
#pragma once

#include <cstdint>

namespace ZAV {
namespace Meta {

// Bytes of any picture a metafile describes (a DIB inside a record, the
// frame as pixels): the image library's own ceiling, which this layer
// cannot include from below it.
constexpr int64_t kMaxMetafileImageBytes = 0x7FFDEFFF;

// Records of one metafile: far above any picture this layer records, and a
// bound on the time a file of tiny records can take.
constexpr uint32_t kMaxMetafileRecords = 1u << 20;

// Nested SaveDC levels: real pictures use a handful.
constexpr int kMaxSaveDepth = 256;

// Entries of a metafile's object table: the header counts them in 16 bits.
constexpr uint32_t kMaxMetafileObjects = 0xFFFF;

// Output coordinates a played record may reach; a mapping past them is a
// broken picture, and keeping them small keeps every product in 64 bits.
constexpr double kMaxPlayCoordinate = double(1 << 28);

}  // namespace Meta
}  // namespace ZAV
