// The code tables of two-dimensional fax coding (T.4 run lengths, T.6
// modes), shared by the MMR decoder's lookup tables and the MMR encoder.
#pragma once

#include <cstdint>

struct MMR_Code {
    uint16_t run;
    const char* bits;  // most significant bit first
};

// Terminating codes (runs 0 to 63), index = run.
extern const MMR_Code kMMRWhiteTerminating[64];
extern const MMR_Code kMMRBlackTerminating[64];
// Make-up codes 64 to 1728, index = run / 64 - 1.
extern const MMR_Code kMMRWhiteMakeUp[27];
extern const MMR_Code kMMRBlackMakeUp[27];
// Make-up codes 1792 to 2560 common to both colours, index = run / 64 - 28.
extern const MMR_Code kMMRCommonMakeUp[13];

constexpr uint32_t kMMRLongestMakeUp = 2560;

// Length of a code string.
inline uint32_t MMR_Code_Length(const char* bits)
{
    uint32_t n = 0;
    while (bits[n]) ++n;
    return n;
}

// Value of a code string.
inline uint32_t MMR_Code_Value(const char* bits)
{
    uint32_t value = 0;
    for (uint32_t i = 0; bits[i]; ++i) value = (value << 1) | uint32_t(bits[i] == '1');
    return value;
}
