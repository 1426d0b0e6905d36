// Global-memory blocks as the filter interface passes them: the host's copy
// of bytes for a save, and the bytes of a block a load handed over.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/GlobalMem.h"

namespace ZAVTest {

// A new block holding the bytes; the caller frees it.
inline HGLOBAL BlockOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// The first size bytes of the block, which is freed; none for no block.
inline std::vector<uint8_t> TakeBlock(HGLOBAL block, uint32_t size)
{
    if (!block)
        return {};
    const auto* data = static_cast<const uint8_t*>(GlobalLock(block));
    std::vector<uint8_t> bytes(data, data + size);
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

}  // namespace ZAVTest
