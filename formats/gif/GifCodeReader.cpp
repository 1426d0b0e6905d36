// The decoding half of CGIFBase: sub-blocks of code data through a 16384-byte
// buffer, variable-width codes least significant bit first, and the LZW
// string tables (GIF89a appendix F).
#include "formats/gif/GifBase.h"

#include "formats/codec/PicDecoder.h"

#include <algorithm>
#include <new>

namespace ZAV {

namespace {

constexpr int kCodeMemory = 10;
constexpr int kMinCodeSize = 2;
constexpr int kMaxCodeSize = 9;
// Outcomes of one step of the decoder besides a row writer's negative value.
constexpr int kKeepDecoding = 0;
constexpr int kSawEndCode = 1;
constexpr int kDataEnded = 2;

}  // namespace

const uint32_t kGifCodeMasks[17] = {0x0000, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F, 0x003F, 0x007F, 0x00FF,
                                    0x01FF, 0x03FF, 0x07FF, 0x0FFF, 0x1FFF, 0x3FFF, 0x7FFF, 0xFFFF};

CGIFBase::CGIFBase() = default;

CGIFBase::~CGIFBase() = default;

void CGIFBase::ResetCodeReader()
{
    m_readFill = 0;
    m_readPosition = kGifReadBufferBytes + 1;
}

int CGIFBase::NextCodeByte()
{
    if (m_readPosition > kGifReadBufferBytes - 1) {
        m_readBuffer.resize(kGifReadBufferBytes);
        m_readFill = FillCodeBuffer(m_readBuffer.data(), kGifReadBufferBytes);
        m_readPosition = 0;
    }
    if (m_readPosition >= m_readFill)
        return -1;
    return m_readBuffer[m_readPosition++];
}

int CGIFBase::NextCode()
{
    while (m_bitsLeft < m_codeBits) {
        if (m_blockBytesLeft < 0)
            return m_endCode;
        if (m_blockBytesLeft == 0) {
            const int length = NextCodeByte();
            if (length < 0)
                return length;
            // A zero-length sub-block ends the data: every later call
            // answers with the end code.
            m_blockBytesLeft = length == 0 ? -1 : length;
            for (int i = 0; i < length; ++i) {
                const int byte = NextCodeByte();
                if (byte < 0)
                    return byte;
                m_block[i] = static_cast<uint8_t>(byte);
            }
            m_blockPosition = 0;
            continue;
        }
        m_currentByte |= static_cast<uint32_t>(m_block[m_blockPosition++]) << m_bitsLeft;
        m_bitsLeft += 8;
        --m_blockBytesLeft;
    }
    const int code = static_cast<int>(m_currentByte & kGifCodeMasks[m_codeBits]);
    m_currentByte >>= m_codeBits;
    m_bitsLeft -= m_codeBits;
    return code;
}

int CGIFBase::ReadCodeSize()
{
    const int size = NextCodeByte();
    if (size < 0)
        return size;
    if (size < kMinCodeSize || size > kMaxCodeSize)
        return kGifBadCodeSize;
    return size;
}

int CGIFBase::DecodeLzw(int lineWidth)
{
    const int size = ReadCodeSize();
    if (size < 0)
        return size;
    m_codeSize = size;
    m_codeBits = size + 1;
    m_clearCode = 1 << size;
    m_endCode = m_clearCode + 1;
    m_firstFree = m_clearCode + 2;
    m_nextSlot = m_firstFree;
    m_topSlot = 1 << (size + 1);
    m_blockBytesLeft = 0;
    m_bitsLeft = 0;
    m_currentByte = 0;
    GifLzwLine line;
    line.width = lineWidth;
    try {
        m_stack.assign(kGifMaxCodes, 0);
        m_suffix.assign(kGifMaxCodes, 0);
        m_prefix.assign(kGifMaxCodes, 0);
        line.pixels.assign(static_cast<size_t>(lineWidth) + 1, 0);
    } catch (const std::bad_alloc&) {
        CPicDecoder::ThrowError(kCodeMemory, "Out of memory allocating line buffer.");
    }
    return DecodeCodes(line);
}

int CGIFBase::PushPixel(uint8_t pixel, GifLzwLine& line)
{
    line.pixels[static_cast<size_t>(line.fill++)] = pixel;
    if (line.fill < line.width)
        return kKeepDecoding;
    line.fill = 0;
    const int result = WriteDecodedRow(line.pixels.data(), line.width);
    return result < 0 ? result : kKeepDecoding;
}

// A code that is a pixel of its own: the first after a clear code (or
// after the start of a stream that opens without one).
int CGIFBase::DecodeFirstCode(int code, GifLzwLine& line)
{
    line.oldCode = code;
    line.firstChar = code;
    return PushPixel(static_cast<uint8_t>(code), line);
}

// After a clear code the table starts again.
int CGIFBase::DecodeAfterClear(GifLzwLine& line)
{
    m_codeBits = m_codeSize + 1;
    m_nextSlot = m_firstFree;
    m_topSlot = 1 << (m_codeSize + 1);
    int code = NextCode();
    while (code == m_clearCode)
        code = NextCode();
    if (code < 0)
        return kDataEnded;
    if (code == m_endCode)
        return kSawEndCode;
    if (code > m_nextSlot)
        return kDataEnded;
    return DecodeFirstCode(code == m_nextSlot ? 0 : code, line);
}

// A code standing for a string: its pixels go out, and the string of the
// previous code plus this one's first pixel becomes the next entry.
int CGIFBase::DecodeStringCode(int c, GifLzwLine& line)
{
    int code = c;
    int depth = 0;
    if (code >= m_nextSlot) {
        // Only the code being defined may be used ahead of its definition;
        // anything further ends the data, so a crafted stream cannot walk
        // undefined entries.
        if (code > m_nextSlot)
            return kDataEnded;
        code = line.oldCode;
        m_stack[static_cast<size_t>(depth++)] = static_cast<uint8_t>(line.firstChar);
    }
    // Every entry's prefix is a smaller code, so the walk ends within the
    // table's size; the bound is checked all the same.
    while (code >= m_firstFree) {
        if (depth >= kGifMaxCodes - 1)
            return kDataEnded;
        m_stack[static_cast<size_t>(depth++)] = m_suffix[static_cast<size_t>(code)];
        code = m_prefix[static_cast<size_t>(code)];
    }
    m_stack[static_cast<size_t>(depth++)] = static_cast<uint8_t>(code);
    if (m_nextSlot < m_topSlot) {
        line.firstChar = code;
        m_suffix[static_cast<size_t>(m_nextSlot)] = static_cast<uint8_t>(code);
        m_prefix[static_cast<size_t>(m_nextSlot)] = static_cast<uint16_t>(line.oldCode);
        ++m_nextSlot;
        line.oldCode = c;
    }
    if (m_nextSlot >= m_topSlot && m_codeBits < kGifMaxCodeBits) {
        m_topSlot <<= 1;
        ++m_codeBits;
    }
    while (depth > 0) {
        const int result = PushPixel(m_stack[static_cast<size_t>(--depth)], line);
        if (result < 0)
            return result;
    }
    return kKeepDecoding;
}

int CGIFBase::DecodeCodes(GifLzwLine& line)
{
    int result = kKeepDecoding;
    while (result == kKeepDecoding) {
        const int c = NextCode();
        if (c < 0)
            return 0;
        if (c == m_endCode)
            result = kSawEndCode;
        else if (c == m_clearCode)
            result = DecodeAfterClear(line);
        else if (line.oldCode < 0)
            result = c >= m_firstFree ? kDataEnded : DecodeFirstCode(c, line);
        else
            result = DecodeStringCode(c, line);
    }
    // The end of the data drops a partial row; the end code writes it.
    if (result == kDataEnded)
        return 0;
    if (result < 0)
        return result;
    if (line.fill > 0)
        return std::min(0, WriteDecodedRow(line.pixels.data(), line.fill));
    return 0;
}

}  // namespace ZAV
