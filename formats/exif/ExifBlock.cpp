#include "formats/exif/ExifBlock.h"

#include <cstdio>
#include <cstring>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// The code every failure of the reader itself carries.
constexpr int32_t kExifErrorCode = 6;
// The reader formats its messages into a buffer of this size.
constexpr size_t kExifErrorBufferSize = 1024;

}  // namespace

void ThrowExifError(const char* message)
{
    char text[kExifErrorBufferSize];
    std::snprintf(text, sizeof(text), "CExifRead error: %s\n", message);
    throw CTextException(kExifErrorCode, text);
}

void CExifBlock::Assign(const uint8_t* data, size_t size)
{
    Allocate(size);
    if (size > 0)
        std::memcpy(m_bytes.data(), data, size);
}

void CExifBlock::Allocate(size_t size)
{
    m_bytes.assign(size + 1, 0);
    m_length = size;
}

void CExifBlock::Clear()
{
    m_bytes.clear();
    m_length = 0;
}

const uint8_t* CExifBlock::At(uint64_t position, uint64_t count) const
{
    if (!Contains(position, count))
        ThrowExifError("Invalid Exif data!");
    return m_bytes.data() + position;
}

uint16_t CExifBlock::WordOf(const uint8_t* bytes) const
{
    if (m_byteOrder == kExifBigEndian)
        return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t CExifBlock::DWordOf(const uint8_t* bytes) const
{
    if (m_byteOrder == kExifBigEndian)
        return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
    return (uint32_t(bytes[3]) << 24) | (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[1]) << 8) | bytes[0];
}

uint16_t CExifBlock::Word(uint64_t position) const
{
    return WordOf(At(position, 2));
}

uint32_t CExifBlock::DWord(uint64_t position) const
{
    return DWordOf(At(position, 4));
}

}  // namespace ZAV
