// The colour value of Fill, CopyWithConstBorder and FloodFill as samples of
// a depth. 1 bit: 0 clears, anything else sets. 8 and 9 bits: 0 to 255 is
// the byte itself; larger or negative values are read as below and give their
// grey (299 R + 587 G + 114 B + 500) / 1000. 24 and 32 bits: red in bits 0-7,
// green 8-15, blue 16-23; at 32 bits the alpha is 255 minus bits 24-31, so a
// value with a zero top byte is opaque.
#pragma once

#include <array>
#include <cstdint>

namespace KORVEX55 {

using Samples = std::array<uint8_t, 4>;

Samples ColourSamples(int32_t value, int32_t bitsPerPixel);

}  // namespace KORVEX55
