// Little-endian fields of metafile records, read and written one by one.
// Readers take a pointer the caller has checked against the data's end.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ZAV {
namespace Meta {

inline uint16_t GetWord(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t GetShort(const uint8_t* p)
{
    return static_cast<int16_t>(GetWord(p));
}

inline uint32_t GetDword(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t GetLong(const uint8_t* p)
{
    return static_cast<int32_t>(GetDword(p));
}

inline RECTL GetRectl(const uint8_t* p)
{
    return RECTL{GetLong(p), GetLong(p + 4), GetLong(p + 8), GetLong(p + 12)};
}

inline SIZEL GetSizel(const uint8_t* p)
{
    return SIZEL{GetLong(p), GetLong(p + 4)};
}

// An IEEE single, as the transform fields hold them.
inline float GetFloat(const uint8_t* p)
{
    const uint32_t bits = GetDword(p);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Appends fields to a growing record.
class RecordWriter {
public:
    explicit RecordWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void Word(uint16_t value)
    {
        m_out.push_back(static_cast<uint8_t>(value));
        m_out.push_back(static_cast<uint8_t>(value >> 8));
    }
    void Dword(uint32_t value)
    {
        Word(static_cast<uint16_t>(value));
        Word(static_cast<uint16_t>(value >> 16));
    }
    void Long(int32_t value) { Dword(static_cast<uint32_t>(value)); }
    void Rectl(const RECTL& r)
    {
        Long(r.left);
        Long(r.top);
        Long(r.right);
        Long(r.bottom);
    }
    void Sizel(const SIZEL& s)
    {
        Long(s.cx);
        Long(s.cy);
    }
    void Bytes(const uint8_t* data, size_t size) { m_out.insert(m_out.end(), data, data + size); }
    // Overwrites a 32-bit field already written.
    void PatchDword(size_t offset, uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_out[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
    size_t Size() const { return m_out.size(); }

private:
    std::vector<uint8_t>& m_out;
};

}  // namespace Meta
}  // namespace ZAV
