// The pattern dictionary object a pattern dictionary segment (type 16)
// owns: its patterns side by side in one collective bitmap (T.88 6.7).
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

struct JB2PatternDictionary {
    uint8_t width;      // HDPW
    uint8_t height;     // HDPH
    uint32_t patterns;  // GRAYMAX + 1
    uint32_t stride;    // bytes per row of the collective bitmap
    uint8_t* bitmap;    // height rows
};

// The decoded dictionary of a pattern dictionary segment, decoded on first
// use and kept by the segment.
JB2_Error JB2PatternDictionaryOf(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                 JB2PatternDictionary** dictionary);
// Row y of pattern g, its first pixel in bit 7 of out[0]; out holds
// (width + 7) / 8 + 1 bytes. -500 out of range.
JB2_Error JB2PatternDictionaryRow(const JB2PatternDictionary* dictionary, uint32_t g, uint32_t y, uint8_t* out);

}  // namespace ZAV
