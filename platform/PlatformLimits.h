// Ceilings of the platform layer, each with the reason it exists.
#pragma once

#include <cstdint>

namespace ZAV {

// Pixels of one bitmap of the graphics layer: 256 megapixels, far beyond any
// device surface, keeps a caller's wrong size from exhausting memory.
constexpr uint64_t kMaxBitmapPixels = uint64_t(1) << 28;

// Bytes of a picture OleLoadPicture reads: the same order as the image limit.
constexpr uint64_t kMaxPictureStreamBytes = uint64_t(1) << 30;

}  // namespace ZAV
