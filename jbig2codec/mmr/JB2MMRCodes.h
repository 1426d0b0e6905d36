// The code tables of two-dimensional fax coding (T.4 run lengths, T.6
// modes), shared by the MMR decoder's lookup tables and the MMR encoder.
#pragma once

#include <cstdint>

namespace ZAV {

struct JB2MMRCode {
    uint16_t run;
    const char* bits;  // most significant bit first
};

// Terminating codes (runs 0 to 63), index = run.
extern const JB2MMRCode kMMRWhiteTerminating[64];
extern const JB2MMRCode kMMRBlackTerminating[64];
// Make-up codes 64 to 1728, index = run / 64 - 1.
extern const JB2MMRCode kMMRWhiteMakeUp[27];
extern const JB2MMRCode kMMRBlackMakeUp[27];
// Make-up codes 1792 to 2560 common to both colours, index = run / 64 - 28.
extern const JB2MMRCode kMMRCommonMakeUp[13];

constexpr uint32_t kMMRLongestMakeUp = 2560;

// Length of a code string.
inline uint32_t JB2MMRCodeLength(const char* bits)
{
    uint32_t n = 0;
    while (bits[n]) ++n;
    return n;
}

// Value of a code string.
inline uint32_t JB2MMRCodeValue(const char* bits)
{
    uint32_t value = 0;
    for (uint32_t i = 0; bits[i]; ++i) value = (value << 1) | uint32_t(bits[i] == '1');
    return value;
}

}  // namespace ZAV
