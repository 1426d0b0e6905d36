// Ceilings of the library, each with its reason.
#pragma once

#include <cstdint>

namespace KORVEX55 {

// KORV_GetImageSizeInBytes and the attach calls carry the size as a signed
// 32-bit value, so no image may need more bytes than that.
constexpr int64_t kMaxImageBytes = INT32_MAX;
// A product of two samples (255 x 255) fits in 16 bits, so a larger scale
// factor would only ever give 0.
constexpr int32_t kMaxScaleFactor = 16;
// KORV_GetError writes at most this many bytes, the terminating zero included.
constexpr int32_t kErrorTextBytes = 2048;

}  // namespace KORVEX55
