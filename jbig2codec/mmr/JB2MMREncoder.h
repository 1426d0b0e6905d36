// Encoder of bitmaps as MMR (two-dimensional T.6) data, line by line.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/io/JB2Write.h"

namespace ZAV {

constexpr uint32_t kMMREncoderBufferSize = 1024;

struct JB2MMREncoder {
    JB2WriteData* output;
    uint32_t offset;        // where the next flush of the buffer is written
    uint32_t width;
    uint32_t height;
    uint32_t bytesPerLine;
    uint32_t linesDone;
    // Changing elements of the reference and the coding line.
    uint32_t* changes[2];
    uint32_t counts[2];
    uint8_t* buffer;
    uint32_t capacity;
    uint32_t fill;
    uint8_t partial;        // byte under construction
    uint32_t freeBits;      // bits still free in it
    int32_t writeStatus;    // a failed flush, kept for the end
};

JB2_Error MMR_Encoder_Start(JB2MMREncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                          uint32_t startOffset, JB2WriteData* output, JB2Message* message);
// Codes the next packed line of (width + 7) / 8 bytes.
JB2_Error MMR_Encoder_Line(JB2MMREncoder* encoder, const uint8_t* line);
// Completes the last byte, writes what is buffered and frees the encoder.
JB2_Error MMR_Encoder_End(JB2MMREncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
