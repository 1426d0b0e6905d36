// Ceilings of the image-edit object.
#pragma once

#include <cstdint>

#include "image/core/ImageLimits.h"

namespace ZAV {

// Largest picture a /RunLengthDecode stream decodes into: the image
// library's own ceiling, so the pixels fit any image it can hold.
constexpr int64_t kMaxRunLengthOutputBytes = kMaxImageBytes;

}  // namespace ZAV
