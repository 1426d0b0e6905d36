// Decoder of MMR (two-dimensional T.6) coded bitmaps, line by line.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/io/JB2Write.h"

namespace ZAV {

struct JB2MMRTableEntry {
    uint16_t value;
    uint8_t length;  // bits of the code
    uint8_t kind;
};

constexpr uint32_t kMMRModeBits = 7;
constexpr uint32_t kMMRWhiteBits = 12;
constexpr uint32_t kMMRBlackBits = 13;

struct JB2MMRDecoder {
    uint32_t width;
    uint32_t height;
    const uint8_t* data;
    uint32_t length;
    uint64_t bitPosition;
    // Changing elements of the reference and the coding line, strictly
    // increasing and below the width; at most width entries each.
    uint32_t* changes[2];
    uint32_t counts[2];
    uint32_t linesDone;
    JB2MMRTableEntry modeTable[1u << kMMRModeBits];
    JB2MMRTableEntry whiteTable[1u << kMMRWhiteBits];
    JB2MMRTableEntry blackTable[1u << kMMRBlackBits];
};

// The buffer holds the data and must be at least (length + 7) & ~3 bytes;
// the bytes behind the data are zeroed.
JB2_Error MMR_Decoder_Start(JB2MMRDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                          uint8_t* data, uint32_t length, uint32_t bufferSize,
                          JB2Message* message);
// Decodes the next line into (width + 7) / 8 bytes.
JB2_Error MMR_Decoder_Line(JB2MMRDecoder* decoder, uint8_t* line);
// Restarts for the next bit plane of a gray-scale image.
JB2_Error MMR_Decoder_Next_Plane(JB2MMRDecoder* decoder);
JB2_Error MMR_Decoder_End(JB2MMRDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
