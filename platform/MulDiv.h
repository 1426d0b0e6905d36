// MulDiv as the code was designed with it: number * numerator / denominator
// through a 64-bit product, rounded half away from zero.
#pragma once

#include <cstdint>

// -1 when the denominator is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);
