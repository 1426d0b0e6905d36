// Adaptive arithmetic decoder of JBIG2 (the MQ coder) with the integer and
// symbol-identifier procedures built on it. Reads the caller's bytes in
// place: they must outlive the decoder.
#pragma once

#include <cstdint>

#include "jbig2codec/JB2StandIn.h"
#include "jbig2codec/JB2MQStates.h"

struct MQ_Decoder {
    uint32_t a;          // interval, held in the upper 16 bits
    uint32_t c;          // code register
    uint32_t ct;         // bits left before the next byte is read
    const uint8_t* data;
    uint32_t length;
    uint32_t position;   // index of the byte the standard calls B
    MQ_State* states;
    const MQ_State** contexts;
    uint32_t contextCount;
    uint32_t shares;
};

int32_t MQ_Decoder_Start(MQ_Decoder** out, JB2_Memory* memory, uint32_t contextCount,
                         const uint8_t* data, uint32_t length, JB2_Message* message);
void MQ_Decoder_Share(MQ_Decoder* decoder);
uint8_t MQ_Decoder_Decode_Bit(MQ_Decoder* decoder, uint32_t context);
// Gives the sign S and the magnitude V; S = 1 with V = 0 is out-of-band.
int32_t MQ_Decoder_Decode_Integer(MQ_Decoder* decoder, uint32_t base, uint8_t* sign,
                                  uint32_t* magnitude);
int32_t MQ_Decoder_Decode_IAID(MQ_Decoder* decoder, uint32_t* value, uint32_t codeLength);
// Starts decoding again at another byte of the same data; contexts keep their states.
int32_t MQ_Decoder_Restart(MQ_Decoder* decoder, uint32_t position);
int32_t MQ_Decoder_End(MQ_Decoder** decoder, JB2_Memory* memory);
