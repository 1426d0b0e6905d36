// Encodes one generic bitmap line by line with the arithmetic coder.
#pragma once

#include <cstdint>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/mq/JB2MQEncoder.h"

namespace ZAV {

struct JB2MQContextEncoder {
    JB2MQEncoder* mq;
    JB2ContextBuffer* buffer;
    uint32_t width;
    uint32_t height;
    uint32_t linesDone;
    uint8_t tpgdon;  // code a typical-prediction bit per line
    uint8_t ltp;
};

// Nominal AT pixels, no typical prediction, its own MQ encoder writing at
// the offset of the output channel.
JB2_Error MQ_Context_Encoder_Start(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                   uint8_t gbTemplate, uint32_t offset, JB2WriteData* output, JB2Message* message);
// The same over an encoder shared with other coders of the same segment.
JB2_Error MQ_Context_Encoder_Start_Shared(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width,
                                          uint32_t height, uint8_t gbTemplate, JB2MQEncoder* shared,
                                          JB2Message* message);
// With AT pixels of the caller's choice and typical prediction when tpgdon is 1.
JB2_Error MQ_Context_Encoder_Start_Adaptive(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width,
                                            uint32_t height, uint8_t gbTemplate, const int8_t* atX,
                                            const int8_t* atY, uint8_t tpgdon, uint32_t offset,
                                            JB2WriteData* output, JB2Message* message);
JB2_Error MQ_Context_Encoder_Line(JB2MQContextEncoder* encoder, const uint8_t* line);
// Ends the MQ encoder share; the last end flushes the code.
JB2_Error MQ_Context_Encoder_End(JB2MQContextEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
