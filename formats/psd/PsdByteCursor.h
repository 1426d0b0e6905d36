// A read position over a whole Photoshop document held in memory; every
// field is big-endian. Exact reads past the end fail as the data source's do
// (code 11); skips report whether the bytes were there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class PsdByteCursor {
public:
    explicit PsdByteCursor(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    // count bytes, or "End of file reached while decoding." (code 11).
    const uint8_t* Take(size_t count);
    uint8_t TakeByte() { return *Take(1); }
    uint16_t TakeU16();
    int16_t TakeI16() { return static_cast<int16_t>(TakeU16()); }
    uint32_t TakeU32();
    int32_t TakeI32() { return static_cast<int32_t>(TakeU32()); }
    // False, without moving, when fewer than count bytes are left.
    bool Skip(uint64_t count);

    size_t Position() const { return m_position; }
    // False, without moving, for a position past the end.
    bool Seek(uint64_t position);
    size_t Remaining() const { return m_bytes.size() - m_position; }
    size_t Size() const { return m_bytes.size(); }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_position = 0;
};

}  // namespace ZAV
