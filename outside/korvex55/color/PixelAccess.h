// Reading and writing single pixels for the colour conversions.
#pragma once

#include <cstdint>

#include "outside/korvex55/core/ImageView.h"

namespace KORVEX55 {

// The grey of pixel x of a row of 1 (0 or 255), 8 and 9 (the sample), 24 or
// 32 bits (GreyOf R, G, B; alpha is not looked at).
uint8_t GreyAt(const uint8_t* row, int32_t x, int32_t bitsPerPixel);

inline void SetBit(uint8_t* row, int32_t x, bool set)
{
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = set ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
}

}  // namespace KORVEX55
