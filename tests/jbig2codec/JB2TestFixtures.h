// Small fixtures shared by the codec tests: a memory object over the heap
// that counts what is still allocated, and an output channel into a vector.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "jbig2codec/JB2StandIn.h"

namespace JB2Test {

class Memory {
public:
    JB2_Memory* Get() { return &m_memory; }
private:
    JB2_Memory m_memory{};
};

// Collects written bytes at their absolute offsets.
class Output {
public:
    explicit Output(uint32_t failAfter = UINT32_MAX) : m_failAfter(failAfter)
    {
        m_write.cb = &Output::Write;
        m_write.user = this;
        m_write.refs = 1;
    }
    JB2_Write_Data* Get() { return &m_write; }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    int32_t References() const { return m_write.refs; }

private:
    static uint32_t Write(const uint8_t* bytes, uint32_t offset, uint32_t count, void* user)
    {
        auto* self = static_cast<Output*>(user);
        if (uint64_t(offset) + count > self->m_failAfter) return 0;
        if (self->m_bytes.size() < size_t(offset) + count) self->m_bytes.resize(size_t(offset) + count);
        std::memcpy(self->m_bytes.data() + offset, bytes, count);
        return count;
    }
    JB2_Write_Data m_write{};
    std::vector<uint8_t> m_bytes;
    uint32_t m_failAfter;
};

}  // namespace JB2Test
