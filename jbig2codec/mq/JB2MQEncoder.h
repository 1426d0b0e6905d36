// Adaptive arithmetic encoder of JBIG2 (the MQ coder) with the integer and
// symbol-identifier procedures. Writes through a shared output channel.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/io/JB2Write.h"
#include "jbig2codec/mq/JB2MQStates.h"

namespace ZAV {

constexpr uint32_t kMQEncoderBufferSize = 1024;

struct JB2MQEncoder {
    JB2WriteData* output;
    uint32_t a;
    uint32_t c;
    uint32_t ct;
    uint32_t b;    // byte under construction
    bool started;  // the first byte position holds no output
    JB2MQState* states;
    const JB2MQState** contexts;
    uint32_t contextCount;
    uint64_t decisions;
    uint8_t* buffer;
    uint32_t capacity;
    uint32_t fill;
    uint32_t offset;      // where the next flush of the buffer is written
    int32_t writeStatus;  // a failed flush, kept for the end
    uint32_t shares;
};

JB2_Error MQ_Encoder_Start(JB2MQEncoder** out, JB2Memory* memory, uint32_t contextCount, uint32_t startOffset,
                           JB2WriteData* output, JB2Message* message);
void MQ_Encoder_Share(JB2MQEncoder* encoder);
void MQ_Encoder_Encode_Bit(JB2MQEncoder* encoder, uint32_t context, uint8_t bit);
// The same, with the commonest case done in line: the more probable symbol
// with an interval that stays at least half, so that nothing is shifted out.
inline void MQ_Encoder_Encode_Bit_Inline(JB2MQEncoder* e, uint32_t context, uint8_t bit)
{
    if (context < e->contextCount) {
        const JB2MQState* state = e->contexts[context];
        const uint32_t qe = state->qe;
        if ((bit & 1) == state->mps && ((e->a - qe) & 0x8000) != 0) {
            ++e->decisions;
            e->a -= qe;
            e->c += qe;
            return;
        }
    }
    MQ_Encoder_Encode_Bit(e, context, bit);
}
// `count` equal decisions in one context, as many single calls would code
// them: the more probable symbols between two renormalisations only take
// Qe from A and add it to C, so each such stretch is done at once.
void MQ_Encoder_Encode_Run(JB2MQEncoder* encoder, uint32_t context, uint8_t bit, uint64_t count);
// Magnitude 0 with sign 1 codes out-of-band.
JB2_Error MQ_Encoder_Encode_Integer(JB2MQEncoder* encoder, uint32_t base, uint32_t magnitude, uint8_t sign);
JB2_Error MQ_Encoder_Encode_IAID(JB2MQEncoder* encoder, uint32_t value, uint32_t codeLength);
// The last end flushes the code and writes what is left of the buffer.
JB2_Error MQ_Encoder_End(JB2MQEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
