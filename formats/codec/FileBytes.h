// CFileBytes: a bounded cursor over a file held in memory, for the codecs
// whose headers point anywhere in the file or whose fields are read one by
// one. Every read is checked against the bytes really there; a read past
// the end raises the data source's own end-of-data text, so a short file
// fails the same way whether it is read here or from the source.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class IDataSource;

class CFileBytes {
public:
    CFileBytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    explicit CFileBytes(const std::vector<uint8_t>& bytes) : m_data(bytes.data()), m_size(bytes.size()) {}

    size_t Size() const { return m_size; }
    size_t Position() const { return m_position; }
    size_t Remaining() const { return m_size - m_position; }
    bool Has(size_t count) const { return count <= Remaining(); }
    const uint8_t* Data() const { return m_data; }

    // False (position kept) when the target lies past the end.
    bool Seek(size_t position);
    // The next count bytes; the end-of-data text when fewer are left.
    const uint8_t* Take(size_t count);
    void Skip(size_t count) { Take(count); }
    // False (position kept) when fewer than count bytes are left, for the
    // callers that name their own reason.
    bool TrySkip(uint64_t count);

    uint8_t U8();
    uint16_t LE16();
    uint32_t LE32();
    uint16_t BE16();
    uint32_t BE32();

    // Raises "End of file reached while decoding.\n" (code 11).
    [[noreturn]] static void ThrowEndOfData();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

// The bytes from the source's position to its end, at most the codec
// ceiling: what the in-memory codecs read.
std::vector<uint8_t> ReadRestOfSource(IDataSource* source);

}  // namespace ZAV
