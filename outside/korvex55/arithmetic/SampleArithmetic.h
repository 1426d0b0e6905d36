// Arithmetic on 8-bit samples: exact in 64 bits, then saturated to 0..255.
// Products and quotients are divided by 2^scaleFactor and rounded to the
// nearest integer, halves up, before saturation.
#pragma once

#include <cstdint>

namespace KORVEX55 {

uint8_t AddSamples(int64_t sample, int64_t amount);
uint8_t SubtractSamples(int64_t sample, int64_t amount);
uint8_t MultiplySamples(int64_t sample, int64_t factor, int32_t scaleFactor);
// x / 0 is 255, 0 / 0 is 0.
uint8_t DivideSamples(int64_t sample, int64_t divisor, int32_t scaleFactor);
uint8_t AbsoluteDifference(int64_t first, int64_t second);

}  // namespace KORVEX55
