// 16-bit samples of 16- and 48-bit pixel rows, stored low byte first.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

inline uint16_t ReadSample16(const BYTE* sample)
{
    return static_cast<uint16_t>(sample[0] | (sample[1] << 8));
}

inline void WriteSample16(BYTE* sample, uint16_t value)
{
    sample[0] = static_cast<BYTE>(value);
    sample[1] = static_cast<BYTE>(value >> 8);
}

// Reads and writes one channel value of a pixel row: bytes for 8 and 24
// bits, samples for 16 and 48 bits.
struct CByteSamples {
    using Value = BYTE;
    static constexpr int kBytes = 1;
    static Value Read(const BYTE* at) { return *at; }
    static void Write(BYTE* at, Value value) { *at = value; }
};

struct CWordSamples {
    using Value = uint16_t;
    static constexpr int kBytes = 2;
    static Value Read(const BYTE* at) { return ReadSample16(at); }
    static void Write(BYTE* at, Value value) { WriteSample16(at, value); }
};

}  // namespace ZAV
