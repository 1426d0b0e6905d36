// Ceilings of the format library: sizes read from files are checked against
// these before anything is allocated for them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/core/ImageLimits.h"

namespace ZAV {

// Bytes a decoder reads into memory from one source: the largest pixel
// block plus room for headers and colour tables before it.
constexpr size_t kMaxCodecSourceBytes = static_cast<size_t>(kMaxImageBytes) + 1024 * 1024;

// JBIG: JBIG-KIT allocates every bit plane at full size (and a half-size
// layer beside it) from the header alone, and stops the process when the
// heap refuses, so the header's size is bounded first. 2^28 bytes hold an
// A0 page at 1,000 dpi.
constexpr int64_t kMaxJbigPlaneBytes = int64_t(1) << 28;
// Every plane of the file is decoded, though only plane 0 is kept.
constexpr int64_t kMaxJbigDecodeBytes = int64_t(1) << 29;

}  // namespace ZAV
