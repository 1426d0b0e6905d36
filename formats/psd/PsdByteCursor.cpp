#include "formats/psd/PsdByteCursor.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// The data source's own code and text for a read past the end.
constexpr int kCodeEndOfFile = 11;
const char kEndOfFileText[] = "End of file reached while decoding.\n";

}  // namespace

const uint8_t* PsdByteCursor::Take(size_t count)
{
    if (count > Remaining())
        throw CTextException(kCodeEndOfFile, kEndOfFileText);
    const uint8_t* bytes = m_bytes.data() + m_position;
    m_position += count;
    return bytes;
}

uint16_t PsdByteCursor::TakeU16()
{
    const uint8_t* b = Take(2);
    return static_cast<uint16_t>((b[0] << 8) | b[1]);
}

uint32_t PsdByteCursor::TakeU32()
{
    const uint8_t* b = Take(4);
    return (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
           (static_cast<uint32_t>(b[2]) << 8) | b[3];
}

bool PsdByteCursor::Skip(uint64_t count)
{
    if (count > Remaining())
        return false;
    m_position += static_cast<size_t>(count);
    return true;
}

bool PsdByteCursor::Seek(uint64_t position)
{
    if (position > m_bytes.size())
        return false;
    m_position = static_cast<size_t>(position);
    return true;
}

}  // namespace ZAV
