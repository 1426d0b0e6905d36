#include "formats/tiff/packbits/PackBitsEncoder.h"

#include <algorithm>
#include <cstring>

#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr size_t kOutputBufferSize = 100000;
// Room a step needs: a count byte and its data byte, or a literal byte.
constexpr size_t kStepRoom = 3;
// A literal holds at most 128 bytes (count 127).
constexpr uint8_t kMaxLiteralCount = 127;
// Merging a run of two into a literal adds two bytes to it.
constexpr uint8_t kMergeLimit = 126;
// The longest run one count byte codes, and its count byte (-127).
constexpr size_t kMaxRun = 128;
constexpr uint8_t kMaxRunCode = 0x81;
// The count byte of a run of two (-1).
constexpr uint8_t kRunOfTwoCode = 0xFF;

size_t EqualBytes(const uint8_t* at, size_t available)
{
    size_t n = 1;
    while (n < available && at[n] == at[0])
        ++n;
    return n;
}

}  // namespace

CPackBitsEncoder::CPackBitsEncoder(const uint8_t* input, size_t inputLength, size_t chunkLength, IDataSource* target)
    : m_input(input), m_inputLength(inputLength), m_chunkLength(chunkLength ? chunkLength : inputLength),
      m_target(target), m_buffer(kOutputBufferSize)
{
}

void CPackBitsEncoder::Encode()
{
    for (size_t start = 0; start < m_inputLength; start += m_chunkLength)
        EncodeChunk(m_input + start, std::min(m_chunkLength, m_inputLength - start));
}

void CPackBitsEncoder::WriteOut(size_t count)
{
    if (count > 0 && !m_target->Write(m_buffer.data(), count))
        throw CTextException(0, "Can't write to datasource!");
}

// A literal may still grow, so its bytes (and a run behind it) move to the
// buffer start instead of leaving. When the codes behind it fill the buffer
// even so, that run is long, so the literal cannot grow again (only a run of
// two joins it): every code leaves and the literal is closed.
void CPackBitsEncoder::MakeRoom()
{
    if (m_buffer.size() - m_position >= kStepRoom)
        return;
    if ((m_state == kLiteral || m_state == kLiteralRun) && m_literal > 0) {
        WriteOut(m_literal);
        std::memmove(m_buffer.data(), m_buffer.data() + m_literal, m_position - m_literal);
        m_position -= m_literal;
        m_literal = 0;
        if (m_buffer.size() - m_position >= kStepRoom)
            return;
    }
    WriteOut(m_position);
    m_position = 0;
    if (m_state == kLiteral || m_state == kLiteralRun)
        m_state = kRun;
}

void CPackBitsEncoder::Put(uint8_t byte)
{
    m_buffer[m_position++] = byte;
}

void CPackBitsEncoder::StartLiteral(uint8_t byte)
{
    m_literal = m_position;
    Put(0);
    Put(byte);
    m_state = kLiteral;
}

void CPackBitsEncoder::EmitRun(uint8_t byte, size_t count)
{
    m_lastRun = count;
    while (count > kMaxRun) {
        MakeRoom();
        Put(kMaxRunCode);
        Put(byte);
        count -= kMaxRun;
    }
    MakeRoom();
    Put(static_cast<uint8_t>(1 - static_cast<int>(count)));
    Put(byte);
}

bool CPackBitsEncoder::Step(uint8_t byte, size_t count)
{
    switch (m_state) {
    case kBase:
    case kRun:
        if (count > 1) {
            m_state = kRun;
            EmitRun(byte, count);
        } else
            StartLiteral(byte);
        return true;
    case kLiteral:
        if (count > 1) {
            m_state = kLiteralRun;
            EmitRun(byte, count);
        } else {
            Put(byte);
            if (++m_buffer[m_literal] == kMaxLiteralCount)
                m_state = kBase;
        }
        return true;
    case kLiteralRun:
        // A run of two between literals costs as much as its bytes: it joins
        // the literal before it.
        if (count == 1 && m_lastRun == 2 && m_buffer[m_position - 2] == kRunOfTwoCode &&
            m_buffer[m_literal] < kMergeLimit) {
            m_buffer[m_position - 2] = m_buffer[m_position - 1];
            m_buffer[m_literal] = static_cast<uint8_t>(m_buffer[m_literal] + 2);
            m_state = m_buffer[m_literal] == kMaxLiteralCount ? kBase : kLiteral;
        } else
            m_state = kRun;
        return false;
    }
    return true;
}

void CPackBitsEncoder::EncodeChunk(const uint8_t* chunk, size_t length)
{
    m_state = kBase;
    m_position = 0;
    m_lastRun = 0;
    size_t i = 0;
    while (i < length) {
        const uint8_t byte = chunk[i];
        const size_t count = EqualBytes(chunk + i, length - i);
        MakeRoom();
        while (!Step(byte, count)) {
        }
        i += count;
    }
    WriteOut(m_position);
    m_position = 0;
}

}  // namespace ZAV
