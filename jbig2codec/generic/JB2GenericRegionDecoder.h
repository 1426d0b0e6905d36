// Decoding the immediate generic regions of a page row by row, arithmetic
// or MMR coded (T.88 6.2).
#pragma once

#include <cstdint>

#include "jbig2codec/mmr/JB2MMRDecoder.h"
#include "jbig2codec/generic/JB2MQContextDecoder.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

struct JB2GenericRegionDecoder {
    JB2MQContextDecoder* mq;  // one of the two coders
    JB2MMRDecoder* mmr;
    uint8_t tpgdon;           // typical prediction on (T.88 6.2.5.7)
    uint8_t* data;            // own copy of the coded data, 7 bytes longer
    uint32_t codedLength;
    uint32_t gbw;             // region width and height (T.88 6.2.2)
    uint32_t gbh;
};

// Only immediate generic regions (types 38 and 39) are decoded.
JB2_Error Generic_Region_Decoder_Start(JB2GenericRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message);
// Decodes the next row of the region into (width + 7) / 8 bytes.
JB2_Error Generic_Region_Decoder_Line(JB2GenericRegionDecoder* decoder, uint8_t* line);
JB2_Error Generic_Region_Decoder_End(JB2GenericRegionDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
