// Ceilings the TIFF codec holds values read from a file to. Sizes are
// computed in 64 bits and compared before anything is allocated.
#pragma once

#include <cstdint>

namespace ZAV {

// Decoded bytes allowed per byte of the file: the densest codes real files
// use stay below it (a blank CCITT row is one bit whatever its width,
// Deflate tops out near 1032:1, LZW near 2700:1), so a small file cannot
// ask for gigabytes of pixels.
constexpr int64_t kTiffMaxDecodeExpansion = int64_t(1) << 16;

// An embedded ICC profile larger than this is no real profile.
constexpr uint32_t kTiffMaxIccProfileBytes = 64u << 20;

}  // namespace ZAV
