// Decodes one arithmetic-coded generic bitmap line by line: templates 0 to
// 3, AT pixels and typical prediction.
#pragma once

#include <cstdint>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/mq/JB2MQDecoder.h"

namespace ZAV {

struct JB2MQContextDecoder {
    JB2MQDecoder* mq;
    JB2ContextBuffer* buffer;
    uint32_t width;
    uint32_t height;
    uint32_t linesDone;
    uint8_t ltp;  // typical-prediction state
};

// Decodes from its own MQ decoder over the coded bytes.
JB2_Error MQ_Context_Decoder_Start(JB2MQContextDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                   uint8_t gbTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                   const uint8_t* data, uint32_t length, JB2Message* message);
// Decodes from a decoder shared with other coders of the same segment.
JB2_Error MQ_Context_Decoder_Start_Shared(JB2MQContextDecoder** out, JB2Memory* memory, uint32_t width,
                                          uint32_t height, uint8_t gbTemplate, uint8_t nominal, const int8_t* atX,
                                          const int8_t* atY, JB2MQDecoder* shared, JB2Message* message);
// Decodes the next line into (width + 7) / 8 bytes. Pixels whose bit is set
// in the skip line (when given) are not decoded and stay 0.
JB2_Error MQ_Context_Decoder_Line(JB2MQContextDecoder* decoder, uint8_t* line, uint8_t tpgdon,
                                  const uint8_t* skip);
// Pattern-dictionary form: no typical prediction, A1 on the current line.
JB2_Error MQ_Context_Decoder_Line_Current_AT(JB2MQContextDecoder* decoder, uint8_t* line, int32_t a1x);
JB2_Error MQ_Context_Decoder_End(JB2MQContextDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
