// Levels of a histogram and the linear stretch tables built from them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/WinTypes.h"

namespace ZAV {

constexpr int kLevels8 = 256;
constexpr int kLevels16 = 65536;

// Low: the first value from the bottom at which the running count passes
// trunc(low fraction x n); high: the same from the top with the high
// fraction. A level not found stays -1; true when both were found.
bool FindLevels(const uint32_t* counts, int64_t pixelCount, double lowFraction, double highFraction, int& low,
                int& high);
bool FindLevels16(const uint32_t* counts, int64_t pixelCount, double lowFraction, double highFraction, int& low,
                  int& high);

// A percentage limited to 0..100, as a fraction.
double PercentToFraction(double percent);

// table[i] = trunc((i - low) x top / (high - low)) limited to 0..top; the
// caller makes sure high - low is 1 or more.
std::vector<BYTE> BuildStretchTable8(int low, int high);
std::vector<uint16_t> BuildStretchTable16(int low, int high);

// table[i] = trunc((i - low) x factor) limited to 0..65,535.
std::vector<uint16_t> BuildStretchTable16(int low, double factor);

}  // namespace ZAV
