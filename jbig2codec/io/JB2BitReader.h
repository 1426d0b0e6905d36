// The read bit buffer: bits of bytes in memory, most significant bit first.
// It never reads past its bytes: bits beyond the end read as zeros and the
// overrun is remembered, so that a decoder can refuse truncated data.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

struct JB2BitReader {
    const uint8_t* data;
    uint32_t count;        // bytes at data
    uint32_t next;         // the next byte to shift into the accumulator
    uint32_t accumulator;  // unread bits, in the low `bits` bits
    uint32_t bits;
    uint64_t bitsLeft;     // unread bits of the data
    uint8_t overrun;       // 1 once a bit beyond the data was asked for
};

JB2_Error JB2BitReaderCreate(JB2BitReader** out, JB2Memory* memory, JB2Message* message);
JB2_Error JB2BitReaderRelease(JB2BitReader** holder, JB2Memory* memory);

void JB2BitReaderInit(JB2BitReader* reader, const uint8_t* data, uint32_t count);
// The next n bits (n up to 32) as a number, the first bit highest.
uint32_t JB2BitReaderRead(JB2BitReader* reader, uint32_t n);
// The next n bits (n up to 24) without consuming them.
uint32_t JB2BitReaderPeek(JB2BitReader* reader, uint32_t n);
// Consumes n bits (n up to 24) already looked at with Peek.
void JB2BitReaderSkip(JB2BitReader* reader, uint32_t n);
// Drops the rest of a partly read byte.
void JB2BitReaderAlign(JB2BitReader* reader);
// Byte offset of the next unread bit's byte, and the whole bytes still unread.
uint32_t JB2BitReaderPosition(const JB2BitReader* reader);
uint32_t JB2BitReaderBytesLeft(const JB2BitReader* reader);
// 1 when a read went beyond the data (the missing bits were zeros).
inline bool JB2BitReaderOverrun(const JB2BitReader* reader)
{
    return reader->overrun != 0;
}

}  // namespace ZAV
