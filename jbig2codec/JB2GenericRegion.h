// Generic region segments: decoding the immediate generic regions of a page
// and encoding the data of a generic region segment, arithmetic or MMR.
#pragma once

#include <cstdint>

#include "jbig2codec/JB2MMRDecoder.h"
#include "jbig2codec/JB2MMREncoder.h"
#include "jbig2codec/JB2MQContextDecoder.h"
#include "jbig2codec/JB2MQContextEncoder.h"
#include "jbig2codec/JB2SegmentHeader.h"

namespace ZAV {

struct JB2GenericRegionDecoder {
    JB2MQContextDecoder* mq;  // one of the two coders
    JB2MMRDecoder* mmr;
    uint8_t tpgdon;
    uint8_t* data;            // own copy of the coded data, 7 bytes longer
    uint32_t width;
    uint32_t height;
};

struct JB2GenericRegionEncoder {
    JB2MQContextEncoder* mq;
    JB2MMREncoder* mmr;
};

// Only immediate generic regions (types 38 and 39) are decoded.
JB2_Error Generic_Region_Decoder_Start(JB2GenericRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message);
// Decodes the next row of the region into (width + 7) / 8 bytes.
JB2_Error Generic_Region_Decoder_Line(JB2GenericRegionDecoder* decoder, uint8_t* line);
JB2_Error Generic_Region_Decoder_End(JB2GenericRegionDecoder** decoder, JB2Memory* memory);

// Codes into the segment's data after its header fields, with the coder its
// flags choose (nominal AT pixels, no typical prediction).
JB2_Error Generic_Region_Encoder_Start(JB2GenericRegionEncoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message);
JB2_Error Generic_Region_Encoder_Line(JB2GenericRegionEncoder* encoder, const uint8_t* line);
// The last end of the coder flushes the code into the segment.
JB2_Error Generic_Region_Encoder_End(JB2GenericRegionEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
