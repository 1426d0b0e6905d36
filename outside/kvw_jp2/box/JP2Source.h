// Random access to the caller's data through its read callback.
#pragma once

#include <cstdint>

#include "outside/kvw_jp2/box/JP2FileModel.h"

namespace KVWJP2 {

class JP2Source {
public:
    JP2Source(JP2_Callback_Read read, void* user) : m_read(read), m_user(user) {}

    // Copies up to size bytes at offset; returns the count there was.
    uint64_t ReadAt(uint64_t offset, uint8_t* buffer, uint64_t size) const;
    // True when exactly size bytes were there.
    bool ReadExact(uint64_t offset, uint8_t* buffer, uint64_t size) const;
    // True when at least one byte lies at offset.
    bool HasByteAt(uint64_t offset) const;

private:
    JP2_Callback_Read m_read;
    void* m_user;
};

}  // namespace KVWJP2
