// The plain and LZW code writers of CGIFBase and the bit output they share
// with the run-length writer (GIF89a appendix F: codes least significant bit
// first, packed into data sub-blocks).
#include "formats/gif/GifBase.h"

namespace ZAV {

namespace {

// Prime table size of the classic GIF LZW coder, open addressing with a
// second probe by displacement.
constexpr int kHashSize = 5003;
// log2(65536 / 4096): 5003 doubled until it reaches 65536 takes 4 steps.
constexpr int kHashShift = 4;
// Blocks of the plain and LZW writers hold 254 bytes.
constexpr size_t kLzwBlockBytes = 254;

}  // namespace

void CGIFBase::StartCodeOutput(int initialBits, size_t blockLimit)
{
    m_initialBits = initialBits;
    m_outBits = initialBits;
    m_maxCode = (1 << initialBits) - 1;
    m_outClear = 1 << (initialBits - 1);
    m_outEnd = m_outClear + 1;
    m_freeCode = m_outClear + 2;
    m_clearFlag = false;
    m_accumulator = 0;
    m_accumulatorBits = 0;
    m_blockLimit = blockLimit;
    m_outBlock.clear();
    m_outBlock.reserve(blockLimit);
}

void CGIFBase::FlushOutputBlock()
{
    if (m_outBlock.empty())
        return;
    const uint8_t length = static_cast<uint8_t>(m_outBlock.size());
    WriteOutput(&length, 1);
    WriteOutput(m_outBlock.data(), m_outBlock.size());
    m_outBlock.clear();
}

void CGIFBase::EmitCode(int code)
{
    m_accumulator &= kGifCodeMasks[m_accumulatorBits];
    m_accumulator |= static_cast<uint32_t>(code) << m_accumulatorBits;
    m_accumulatorBits += m_outBits;
    while (m_accumulatorBits >= 8) {
        m_outBlock.push_back(static_cast<uint8_t>(m_accumulator & 0xFF));
        if (m_outBlock.size() >= m_blockLimit)
            FlushOutputBlock();
        m_accumulator >>= 8;
        m_accumulatorBits -= 8;
    }
}

// The decoder widens its codes when its table reaches the next power of
// two; the writer follows one code for one code.
void CGIFBase::AdjustCodeWidth()
{
    if (m_freeCode <= m_maxCode && !m_clearFlag)
        return;
    if (m_clearFlag) {
        m_outBits = m_initialBits;
        m_maxCode = (1 << m_outBits) - 1;
        m_clearFlag = false;
        return;
    }
    ++m_outBits;
    m_maxCode = m_outBits == kGifMaxCodeBits ? kGifMaxCodes : (1 << m_outBits) - 1;
}

void CGIFBase::OutputCode(int code)
{
    EmitCode(code);
    AdjustCodeWidth();
}

void CGIFBase::FinishCodeOutput()
{
    while (m_accumulatorBits > 0) {
        m_outBlock.push_back(static_cast<uint8_t>(m_accumulator & 0xFF));
        if (m_outBlock.size() >= m_blockLimit)
            FlushOutputBlock();
        m_accumulator >>= 8;
        m_accumulatorBits -= 8;
    }
    m_accumulatorBits = 0;
    FlushOutputBlock();
}

void CGIFBase::WritePlainCodes(int initialBits)
{
    StartCodeOutput(initialBits, kLzwBlockBytes);
    OutputCode(m_outClear);
    for (int pixel = NextPixel(); pixel >= 0; pixel = NextPixel()) {
        OutputCode(pixel);
        // The decoder's table fills one entry a code; a clear code before
        // it is full keeps the widths of both sides in step.
        if (m_freeCode >= kGifMaxCodes) {
            m_freeCode = m_outClear + 2;
            m_clearFlag = true;
            OutputCode(m_outClear);
        } else {
            ++m_freeCode;
        }
    }
    OutputCode(m_outEnd);
    FinishCodeOutput();
}

void CGIFBase::ClearHashTable()
{
    m_hashKeys.assign(kHashSize, -1);
    m_hashCodes.resize(kHashSize);
}

void CGIFBase::WriteLzwCodes(int initialBits)
{
    StartCodeOutput(initialBits, kLzwBlockBytes);
    ClearHashTable();
    OutputCode(m_outClear);
    int prefix = NextPixel();
    for (int pixel = NextPixel(); prefix >= 0 && pixel >= 0; pixel = NextPixel()) {
        const int32_t key = (static_cast<int32_t>(pixel) << kGifMaxCodeBits) + prefix;
        int index = (pixel << kHashShift) ^ prefix;
        bool found = m_hashKeys[static_cast<size_t>(index)] == key;
        if (!found && m_hashKeys[static_cast<size_t>(index)] >= 0) {
            const int displacement = index == 0 ? 1 : kHashSize - index;
            do {
                index -= displacement;
                if (index < 0)
                    index += kHashSize;
                found = m_hashKeys[static_cast<size_t>(index)] == key;
            } while (!found && m_hashKeys[static_cast<size_t>(index)] > 0);
        }
        if (found) {
            prefix = m_hashCodes[static_cast<size_t>(index)];
            continue;
        }
        OutputCode(prefix);
        prefix = pixel;
        if (m_freeCode < kGifMaxCodes) {
            m_hashCodes[static_cast<size_t>(index)] = static_cast<uint16_t>(m_freeCode++);
            m_hashKeys[static_cast<size_t>(index)] = key;
        } else {
            ClearHashTable();
            m_freeCode = m_outClear + 2;
            m_clearFlag = true;
            OutputCode(m_outClear);
        }
    }
    if (prefix >= 0)
        OutputCode(prefix);
    OutputCode(m_outEnd);
    FinishCodeOutput();
}

}  // namespace ZAV
