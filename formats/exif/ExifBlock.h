// The bytes of one EXIF block (or maker note) with reads that never leave
// it: every position and length comes from the file, so each read is
// checked and a read past the end throws "Invalid Exif data!".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

constexpr int kExifLittleEndian = 0;
constexpr int kExifBigEndian = 1;

// Throws CTextException with code 6 and "CExifRead error: MESSAGE\n".
[[noreturn]] void ThrowExifError(const char* message);

class CExifBlock {
public:
    // The block holds size bytes and one zero byte behind them, so a text
    // taken from it always ends inside it.
    void Assign(const uint8_t* data, size_t size);
    // size zeroed bytes (and the closing zero) to be filled through Data().
    void Allocate(size_t size);
    void Clear();

    uint8_t* Data() { return m_bytes.data(); }
    const uint8_t* Data() const { return m_bytes.data(); }
    uint64_t Length() const { return m_length; }
    int GetByteOrder() const { return m_byteOrder; }
    void SetByteOrder(int order) { m_byteOrder = order; }

    bool Contains(uint64_t position, uint64_t count) const
    {
        return position <= m_length && count <= m_length - position;
    }
    // The count bytes at position; throws when they pass the block's end.
    const uint8_t* At(uint64_t position, uint64_t count) const;
    uint16_t Word(uint64_t position) const;
    uint32_t DWord(uint64_t position) const;
    // Four bytes already taken from the block, in its byte order.
    uint16_t WordOf(const uint8_t* bytes) const;
    uint32_t DWordOf(const uint8_t* bytes) const;

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_length = 0;
    int m_byteOrder = kExifLittleEndian;
};

}  // namespace ZAV
