// Text region segments of a page (types 6 and 7): the symbols of the
// referred dictionaries placed into the region bitmap (T.88 6.4).
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

struct JB2TextRegionDecoder {
    JB2SegmentHeader* segment;  // link, not owned
    uint16_t flags;
    uint32_t width;
    uint32_t height;
    uint32_t stride;  // (width + 7) / 8 + 4
    uint8_t* bitmap;  // filled with SBDEFPIXEL at start
    uint8_t done;
    uint8_t borrowed;  // the bitmap is the caller's rows, not freed at the end
};

JB2_Error Text_Region_Decoder_Start(JB2TextRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                    JB2Message* message);
// Decodes into rows the caller holds, `stride` bytes apart, instead of a
// bitmap of its own: the instances are combined straight into them. Only
// right where that gives what composing the region's own bitmap would (the
// region's instances ORed onto white and the region ORed onto the rows).
JB2_Error Text_Region_Decoder_Start_Onto(JB2TextRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                         uint8_t* rows, uint32_t stride, JB2Message* message);
// Decodes the referred dictionaries (once) and then the region; later calls do nothing.
JB2_Error Text_Region_Decode(JB2TextRegionDecoder* decoder, JB2Memory* memory, JB2Message* message);
// Row n of the decoded region, null before decoding or past the height.
const uint8_t* Text_Region_Decoder_Line(const JB2TextRegionDecoder* decoder, uint32_t row);
JB2_Error Text_Region_Decoder_End(JB2TextRegionDecoder** decoder, JB2Memory* memory);

// Decodes every symbol dictionary a segment refers to that is not decoded yet.
JB2_Error JB2DecodeReferredDictionaries(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message);

}  // namespace ZAV
