// Adaptive arithmetic decoder of JBIG2 (the MQ coder) with the integer and
// symbol-identifier procedures built on it. Reads the caller's bytes in
// place: they must outlive the decoder.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/io/JB2Write.h"
#include "jbig2codec/mq/JB2MQStates.h"

namespace ZAV {

struct JB2MQDecoder {
    uint32_t a;          // interval, held in the upper 16 bits
    uint32_t c;          // code register
    uint32_t ct;         // bits left before the next byte is read
    const uint8_t* data;
    uint32_t length;
    uint32_t position;   // index of the byte the standard calls B
    JB2MQState* states;
    const JB2MQState** contexts;
    uint32_t contextCount;
    uint32_t shares;
};

JB2_Error MQ_Decoder_Start(JB2MQDecoder** out, JB2Memory* memory, uint32_t contextCount,
                         const uint8_t* data, uint32_t length, JB2Message* message);
void MQ_Decoder_Share(JB2MQDecoder* decoder);
uint8_t MQ_Decoder_Decode_Bit(JB2MQDecoder* decoder, uint32_t context);
// Gives the sign S and the magnitude V; S = 1 with V = 0 is out-of-band.
JB2_Error MQ_Decoder_Decode_Integer(JB2MQDecoder* decoder, uint32_t base, uint8_t* sign,
                                  uint32_t* magnitude);
JB2_Error MQ_Decoder_Decode_IAID(JB2MQDecoder* decoder, uint32_t* value, uint32_t codeLength);
// Starts decoding again at another byte of the same data; contexts keep their states.
JB2_Error MQ_Decoder_Restart(JB2MQDecoder* decoder, uint32_t position);
JB2_Error MQ_Decoder_End(JB2MQDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
