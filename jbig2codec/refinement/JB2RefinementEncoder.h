// Generic refinement encoding (T.88 6.3, TPGRON 0, nominal AT pixels): a
// bitmap coded against a reference bitmap, on a share of the MQ encoder of
// the symbol dictionary or text region it serves.
#pragma once

#include <cstdint>

#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/refinement/JB2RefinementContext.h"

namespace ZAV {

struct JB2RefinementEncoder {
    JB2MQEncoder* mq;
    JB2RefinementTemplate shape;
    uint32_t linesDone;
};

// Template above 1, an empty size or a missing coder give -500; a size
// beyond the region ceilings -22.
JB2_Error MQ_Context_Reference_Encoder_Start(JB2RefinementEncoder** out, JB2Memory* memory, uint32_t width,
                                             uint32_t height, uint8_t grTemplate,
                                             const JB2RefinementReference* reference, JB2MQEncoder* shared,
                                             JB2Message* message);
// Codes the next row of (width + 7) / 8 bytes; bits past the width are ignored.
JB2_Error MQ_Context_Reference_Encoder_Line(JB2RefinementEncoder* encoder, const uint8_t* line);
// Gives the share of the MQ encoder back.
JB2_Error MQ_Context_Reference_Encoder_End(JB2RefinementEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
