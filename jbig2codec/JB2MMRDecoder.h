// Decoder of MMR (two-dimensional T.6) coded bitmaps, line by line.
#pragma once

#include <cstdint>

#include "jbig2codec/JB2StandIn.h"

struct MMR_Table_Entry {
    uint16_t value;
    uint8_t length;  // bits of the code
    uint8_t kind;
};

constexpr uint32_t kMMRModeBits = 7;
constexpr uint32_t kMMRWhiteBits = 12;
constexpr uint32_t kMMRBlackBits = 13;

struct MMR_Decoder {
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
    MMR_Table_Entry modeTable[1u << kMMRModeBits];
    MMR_Table_Entry whiteTable[1u << kMMRWhiteBits];
    MMR_Table_Entry blackTable[1u << kMMRBlackBits];
};

// The buffer holds the data and must be at least (length + 7) & ~3 bytes;
// the bytes behind the data are zeroed.
int32_t MMR_Decoder_Start(MMR_Decoder** out, JB2_Memory* memory, uint32_t width, uint32_t height,
                          uint8_t* data, uint32_t length, uint32_t bufferSize,
                          JB2_Message* message);
// Decodes the next line into (width + 7) / 8 bytes.
int32_t MMR_Decoder_Line(MMR_Decoder* decoder, uint8_t* line);
// Restarts for the next bit plane of a gray-scale image.
int32_t MMR_Decoder_Next_Plane(MMR_Decoder* decoder);
int32_t MMR_Decoder_End(MMR_Decoder** decoder, JB2_Memory* memory);
