// The memory and output callbacks both JBIG2 benchmarks give the codec.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "jbig2codec/kvd_jb2.h"

namespace ZAVBench {

inline void* JB2Alloc(uint32_t size, void*)
{
    return std::malloc(size);
}

inline JB2_Error JB2Free(void* block, void*)
{
    std::free(block);
    return 0;
}

// Writes into the std::vector<uint8_t> the user value points to.
inline uint32_t JB2Collect(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(user);
    if (bytes->size() < size_t(offset) + count)
        bytes->resize(size_t(offset) + count);
    std::memcpy(bytes->data() + offset, buffer, count);
    return count;
}

}  // namespace ZAVBench
