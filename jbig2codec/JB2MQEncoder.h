// Adaptive arithmetic encoder of JBIG2 (the MQ coder) with the integer and
// symbol-identifier procedures. Writes through a shared output channel.
#pragma once

#include <cstdint>

#include "jbig2codec/JB2StandIn.h"
#include "jbig2codec/JB2MQStates.h"

constexpr uint32_t kMQEncoderBufferSize = 1024;

struct MQ_Encoder {
    JB2_Write_Data* output;
    uint32_t a;
    uint32_t c;
    uint32_t ct;
    uint32_t b;            // byte under construction
    bool started;          // the first byte position holds no output
    MQ_State* states;
    const MQ_State** contexts;
    uint32_t contextCount;
    uint64_t decisions;
    uint8_t* buffer;
    uint32_t capacity;
    uint32_t fill;
    uint32_t offset;       // where the next flush of the buffer is written
    int32_t writeStatus;   // a failed flush, kept for the end
    uint32_t shares;
};

int32_t MQ_Encoder_Start(MQ_Encoder** out, JB2_Memory* memory, uint32_t contextCount,
                         uint32_t startOffset, JB2_Write_Data* output, JB2_Message* message);
void MQ_Encoder_Share(MQ_Encoder* encoder);
void MQ_Encoder_Encode_Bit(MQ_Encoder* encoder, uint32_t context, uint8_t bit);
// Magnitude 0 with sign 1 codes out-of-band.
int32_t MQ_Encoder_Encode_Integer(MQ_Encoder* encoder, uint32_t base, uint32_t magnitude,
                                  uint8_t sign);
int32_t MQ_Encoder_Encode_IAID(MQ_Encoder* encoder, uint32_t value, uint32_t codeLength);
// The last end flushes the code and writes what is left of the buffer.
int32_t MQ_Encoder_End(MQ_Encoder** encoder, JB2_Memory* memory);
