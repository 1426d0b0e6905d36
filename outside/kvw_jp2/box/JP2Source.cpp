#include "outside/kvw_jp2/box/JP2Source.h"

namespace KVWJP2 {

uint64_t JP2Source::ReadAt(uint64_t offset, uint8_t* buffer, uint64_t size) const
{
    // The callback speaks 32-bit offsets and counts.
    uint64_t done = 0;
    while (done < size) {
        const uint64_t at = offset + done;
        if (at > UINT32_MAX)
            break;
        uint64_t chunk = size - done;
        if (chunk > (uint64_t(1) << 30))
            chunk = uint64_t(1) << 30;
        const uint32_t got = m_read(buffer + done, static_cast<uint32_t>(at), static_cast<uint32_t>(chunk), m_user);
        if (got == 0 || got > chunk)
            break;
        done += got;
    }
    return done;
}

bool JP2Source::ReadExact(uint64_t offset, uint8_t* buffer, uint64_t size) const
{
    return ReadAt(offset, buffer, size) == size;
}

bool JP2Source::HasByteAt(uint64_t offset) const
{
    uint8_t byte = 0;
    return ReadAt(offset, &byte, 1) == 1;
}

}  // namespace KVWJP2
