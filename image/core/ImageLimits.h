// Ceilings of the image library. Sizes of pixel data come from files and
// callers, so every width x height x bytes product is computed in 64 bits
// and checked against these before anything is allocated.
#pragma once

#include <cstdint>

namespace ZAV {

// Largest pixel, mask or DIB block: the ceiling the DIB bridge and the
// rotation already hold to, below 2 GiB so every 32-bit size field of an
// image holds the true value.
constexpr int64_t kMaxImageBytes = 0x7FFDEFFF;

// True when a block of this many bytes may be allocated for an image.
constexpr bool IsWithinImageCeiling(int64_t bytes)
{
    return bytes >= 0 && bytes <= kMaxImageBytes;
}

// Largest coordinate or extent, in device pixels, a drawing call takes:
// far beyond any device, and small enough that the sum or difference of two
// stays within 32 bits.
constexpr int64_t kMaxDrawExtent = int64_t{1} << 28;

// Largest absolute channel difference a table of squares is indexed by.
constexpr int kMaxChannelDifference = 255;

}  // namespace ZAV
