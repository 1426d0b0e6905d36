// Big-endian fields of box contents, read with bounds checks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace KVWJP2 {

constexpr uint32_t BoxType(char a, char b, char c, char d)
{
    return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) | uint8_t(d);
}

// A cursor over box contents; reading past the end sets failed and gives 0.
class FieldReader {
public:
    FieldReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint32_t Read(unsigned bytes)
    {
        if (m_failed || bytes > m_size - m_position) {
            m_failed = true;
            return 0;
        }
        uint32_t value = 0;
        for (unsigned i = 0; i < bytes; ++i)
            value = (value << 8) | m_data[m_position++];
        return value;
    }
    const uint8_t* Take(size_t bytes)
    {
        if (m_failed || bytes > m_size - m_position) {
            m_failed = true;
            return nullptr;
        }
        const uint8_t* at = m_data + m_position;
        m_position += bytes;
        return at;
    }
    size_t Remaining() const { return m_failed ? 0 : m_size - m_position; }
    bool Failed() const { return m_failed; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
    bool m_failed = false;
};

}  // namespace KVWJP2
