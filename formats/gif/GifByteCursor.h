// A read position over a whole GIF file held in memory. Exact reads past the
// end fail as the data source's do (code 11); skips stop at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class GifByteCursor {
public:
    explicit GifByteCursor(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    // count bytes, or "End of file reached while decoding." (code 11).
    const uint8_t* Take(size_t count);
    uint8_t TakeByte() { return *Take(1); }
    // Little-endian, as every GIF field.
    uint16_t TakeWord();
    // The next byte, or -1 at the end.
    int NextOrEnd();
    // Moves on by count bytes, at most to the end.
    void Skip(size_t count);
    // Skips data sub-blocks up to their zero-length terminator or the end;
    // returns the bytes they held.
    uint64_t SkipSubBlocks();

    size_t Position() const { return m_position; }
    void SetPosition(size_t position) { m_position = position < m_bytes.size() ? position : m_bytes.size(); }
    size_t Remaining() const { return m_bytes.size() - m_position; }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_position = 0;
};

}  // namespace ZAV
