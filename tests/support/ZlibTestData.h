// Inputs both zlib test files feed the coders with.
#pragma once

#include "foundation/coding/ZlibCoding.h"

#include <cstdint>
#include <random>
#include <vector>

namespace ZAVTest {

// Bytes that do not compress, the same for the same seed.
inline std::vector<uint8_t> RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> bytes(n);
    for (auto& b : bytes)
        b = uint8_t(rng());
    return bytes;
}

inline std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes)
{
    return ZAV::ZlibCompress(bytes.data(), bytes.size());
}

}  // namespace ZAVTest
