// CMYK samples made RGB the way a page without colour management shows
// them: each colorant darkens its channel and black darkens all three,
// r = (255 - c)(255 - k) / 255 rounded to the nearest whole value, likewise
// g from m and b from y.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

// pixels groups of c, m, y, k become r, g, b; a last short group is dropped.
CArraySimple<unsigned char, 1> CmykToRgb(const uint8_t* samples, size_t size);

}  // namespace ZAV
