// Generic refinement decoding (T.88 6.3, TPGRON 0): a bitmap coded against a
// reference bitmap, on a share of the MQ decoder of the symbol dictionary or
// text region it serves.
#pragma once

#include <cstdint>

#include "jbig2codec/mq/JB2MQDecoder.h"
#include "jbig2codec/refinement/JB2RefinementContext.h"

namespace ZAV {

struct JB2RefinementDecoder {
    JB2MQDecoder* mq;
    JB2RefinementTemplate shape;
    uint32_t linesDone;
};

// With nominal set the AT arrays may be null. Template above 1, an empty
// size or a missing coder give -500; a size beyond the region ceilings -22.
JB2_Error MQ_Context_Reference_Decoder_Start(JB2RefinementDecoder** out, JB2Memory* memory, uint32_t width,
                                             uint32_t height, uint8_t grTemplate, uint8_t nominal, const int8_t* atX,
                                             const int8_t* atY, const JB2RefinementReference* reference,
                                             JB2MQDecoder* shared, JB2Message* message);
// Decodes the next row into (width + 7) / 8 bytes.
JB2_Error MQ_Context_Reference_Decoder_Line(JB2RefinementDecoder* decoder, uint8_t* line);
JB2_Error MQ_Context_Reference_Decoder_End(JB2RefinementDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
