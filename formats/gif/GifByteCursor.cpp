#include "formats/gif/GifByteCursor.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// The data source's own code and text for a read past the end.
constexpr int kCodeEndOfFile = 11;
const char kEndOfFileText[] = "End of file reached while decoding.\n";

}  // namespace

const uint8_t* GifByteCursor::Take(size_t count)
{
    if (count > Remaining())
        throw CTextException(kCodeEndOfFile, kEndOfFileText);
    const uint8_t* bytes = m_bytes.data() + m_position;
    m_position += count;
    return bytes;
}

uint16_t GifByteCursor::TakeWord()
{
    const uint8_t* bytes = Take(2);
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

int GifByteCursor::NextOrEnd()
{
    if (Remaining() == 0)
        return -1;
    return m_bytes[m_position++];
}

void GifByteCursor::Skip(size_t count)
{
    m_position += count < Remaining() ? count : Remaining();
}

uint64_t GifByteCursor::SkipSubBlocks()
{
    uint64_t total = 0;
    for (int length = NextOrEnd(); length > 0; length = NextOrEnd()) {
        Skip(static_cast<size_t>(length));
        total += static_cast<uint64_t>(length);
    }
    return total;
}

}  // namespace ZAV
