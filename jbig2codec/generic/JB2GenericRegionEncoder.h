// Encoding the data of a generic region segment row by row, arithmetic or MMR.
#pragma once

#include <cstdint>

#include "jbig2codec/generic/JB2MQContextEncoder.h"
#include "jbig2codec/mmr/JB2MMREncoder.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

struct JB2GenericRegionEncoder {
    JB2MQContextEncoder* mq;
    JB2MMREncoder* mmr;
};

// Codes into the segment's data after its header fields, with the coder its
// flags choose (nominal AT pixels, no typical prediction).
JB2_Error Generic_Region_Encoder_Start(JB2GenericRegionEncoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message);
JB2_Error Generic_Region_Encoder_Line(JB2GenericRegionEncoder* encoder, const uint8_t* line);
// The last end of the coder flushes the code into the segment.
JB2_Error Generic_Region_Encoder_End(JB2GenericRegionEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
