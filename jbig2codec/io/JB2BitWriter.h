// The write bits object: packs bits, most significant first, into a buffer
// of 1,024 bytes and writes it through the write callback when full.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/io/JB2Write.h"

namespace ZAV {

struct JB2BitWriter {
    JB2WriteData* writeData;  // one reference held
    uint8_t* buffer;
    uint32_t bytes;           // bytes in the buffer
    uint32_t capacity;
    uint32_t target;          // target offset of the buffer's first byte
    uint8_t partial;          // the byte being filled
    uint32_t freeBits;        // free bits in it, 8 when empty
};

JB2_Error JB2BitWriterCreate(JB2BitWriter** out, JB2Memory* memory, JB2WriteData* writeData, uint32_t target,
                             JB2Message* message);
// Puts the low n bits (n up to 32) of value, the highest first.
JB2_Error JB2BitWriterPut(JB2BitWriter* writer, uint32_t value, uint32_t n);
// Completes the partial byte with zero bits and writes the buffer. A short
// write gives -12 and leaves the buffer as it was.
JB2_Error JB2BitWriterFlush(JB2BitWriter* writer);
// Target offset just past what has been put so far, counting whole bytes.
uint32_t JB2BitWriterOffset(const JB2BitWriter* writer);
// Flushes and frees; the holder becomes null even when the flush fails.
JB2_Error JB2BitWriterEnd(JB2BitWriter** holder, JB2Memory* memory);

}  // namespace ZAV
