#include "jbig2codec/mq/JB2MQEncoder.h"

#include <algorithm>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

void WriteBuffer(JB2MQEncoder* e)
{
    if (e->fill == 0)
        return;
    const uint32_t written = JB2WriteDataWrite(e->output, e->buffer, e->offset, e->fill);
    if (written != e->fill && e->writeStatus == 0)
        e->writeStatus = cJB2_Error_Write_Failure;
    e->offset += e->fill;
    e->fill = 0;
}

// Moves on to the next byte: the finished byte B is stored, except at the
// position before the first byte, which only exists for a carry.
void EmitByte(JB2MQEncoder* e)
{
    if (e->started) {
        if (e->fill == e->capacity)
            WriteBuffer(e);
        e->buffer[e->fill++] = uint8_t(e->b);
    }
    e->started = true;
}

void ByteOut(JB2MQEncoder* e)
{
    if (e->b == 0xFF) {
        EmitByte(e);
        e->b = e->c >> 20;
        e->c &= 0xFFFFF;
        e->ct = 7;
        return;
    }
    if (e->c >= 0x8000000) {
        ++e->b;  // carry
        if (e->b == 0xFF) {
            e->c &= 0x7FFFFFF;
            EmitByte(e);
            e->b = e->c >> 20;
            e->c &= 0xFFFFF;
            e->ct = 7;
            return;
        }
    }
    EmitByte(e);
    e->b = e->c >> 19;
    e->c &= 0x7FFFF;
    e->ct = 8;
}

void RenormE(JB2MQEncoder* e)
{
    do {
        e->a <<= 1;
        e->c <<= 1;
        if (--e->ct == 0)
            ByteOut(e);
    } while ((e->a & 0x8000) == 0);
}

void Free(JB2MQEncoder* e, JB2Memory* memory)
{
    if (e->buffer)
        JB2MemoryFree(memory, &e->buffer);
    if (e->states)
        JB2MemoryFree(memory, &e->states);
    if (e->contexts)
        JB2MemoryFree(memory, &e->contexts);
    if (e->output)
        JB2WriteDataRelease(&e->output, memory);
    JB2MemoryFree(memory, &e);
}

void Flush(JB2MQEncoder* e)
{
    const uint32_t tempC = e->c + e->a;
    e->c |= 0xFFFF;
    if (e->c >= tempC)
        e->c -= 0x8000;
    e->c <<= e->ct;
    ByteOut(e);
    e->c <<= e->ct;
    ByteOut(e);
    if (e->b != 0xFF) {
        EmitByte(e);
        e->b = 0xFF;
    }
    EmitByte(e);
    e->b = 0xAC;
    EmitByte(e);
}

}  // namespace

JB2_Error MQ_Encoder_Start(JB2MQEncoder** out, JB2Memory* memory, uint32_t contextCount, uint32_t startOffset,
                           JB2WriteData* output, JB2Message* message)
{
    if (!out || contextCount == 0 || contextCount > JB2MQContexts::kCount || !output)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = static_cast<JB2MQEncoder*>(JB2MemoryAlloc(memory, sizeof(JB2MQEncoder)));
    if (!e)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MQ encoder object!");
    *e = JB2MQEncoder{};
    JB2WriteDataAddReference(output);
    e->output = output;
    e->contexts = static_cast<const JB2MQState**>(JB2MemoryAlloc(memory, contextCount * uint32_t(sizeof(JB2MQState*))));
    if (!e->contexts) {
        Free(e, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create MQ context states array!");
    }
    e->a = 0x8000;
    e->c = 0;
    e->ct = 12;
    e->b = 0;
    e->buffer = static_cast<uint8_t*>(JB2MemoryAlloc(memory, kMQEncoderBufferSize));
    if (!e->buffer) {
        Free(e, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create MQ buffer!");
    }
    e->capacity = kMQEncoderBufferSize;
    e->states = static_cast<JB2MQState*>(JB2MemoryAlloc(memory, kMQStateEntries * uint32_t(sizeof(JB2MQState))));
    if (!e->states) {
        Free(e, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create MQ states table!");
    }
    JB2MQStatesBuild(e->states);
    for (uint32_t i = 0; i < contextCount; ++i)
        e->contexts[i] = &e->states[0];
    e->contextCount = contextCount;
    e->offset = startOffset;
    e->shares = 1;
    *out = e;
    return 0;
}

void MQ_Encoder_Share(JB2MQEncoder* encoder)
{
    if (encoder)
        ++encoder->shares;
}

void MQ_Encoder_Encode_Bit(JB2MQEncoder* e, uint32_t context, uint8_t bit)
{
    if (context >= e->contextCount)
        return;
    ++e->decisions;
    const JB2MQState*& cx = e->contexts[context];
    const JB2MQState* state = cx;
    const uint32_t qe = state->qe;
    e->a -= qe;
    if ((bit & 1) == state->mps) {
        if ((e->a & 0x8000) == 0) {
            if (e->a < qe)
                e->a = qe;
            else
                e->c += qe;
            cx = state->nextMps;
            RenormE(e);
        } else {
            e->c += qe;
        }
    } else {
        if (e->a < qe)
            e->c += qe;
        else
            e->a = qe;
        cx = state->nextLps;
        RenormE(e);
    }
}

void MQ_Encoder_Encode_Run(JB2MQEncoder* e, uint32_t context, uint8_t bit, uint64_t count)
{
    if (context >= e->contextCount)
        return;
    while (count) {
        const JB2MQState* state = e->contexts[context];
        if ((bit & 1) == state->mps) {
            // A stays at least 0x8000 for this many decisions (A is below 0x10000).
            const uint64_t quiet = std::min<uint64_t>((e->a - 0x8000) / state->qe, count);
            e->a -= uint32_t(quiet) * state->qe;
            e->c += uint32_t(quiet) * state->qe;
            e->decisions += quiet;
            count -= quiet;
            if (!count)
                break;
        }
        MQ_Encoder_Encode_Bit(e, context, bit);
        --count;
    }
}

namespace {

inline void EncodeWithPrev(JB2MQEncoder* e, uint32_t base, uint32_t& prev, uint8_t bit)
{
    MQ_Encoder_Encode_Bit(e, base | prev, bit);
    prev = prev < 256 ? ((prev << 1) | bit) : ((((prev << 1) | bit) & 511) | 256);
}

}  // namespace

JB2_Error MQ_Encoder_Encode_Integer(JB2MQEncoder* e, uint32_t base, uint32_t magnitude, uint8_t sign)
{
    if (!e)
        return cJB2_Error_Internal;
    static const uint32_t kBits[6] = {2, 4, 6, 8, 12, 32};
    static const uint32_t kOffset[6] = {0, 4, 20, 84, 340, 4436};
    uint32_t range = 0;
    while (range < 5 && magnitude >= kOffset[range + 1])
        ++range;
    uint32_t prev = 1;
    EncodeWithPrev(e, base, prev, sign ? 1 : 0);
    for (uint32_t i = 0; i < range; ++i)
        EncodeWithPrev(e, base, prev, 1);
    if (range < 5)
        EncodeWithPrev(e, base, prev, 0);
    const uint32_t value = magnitude - kOffset[range];
    for (uint32_t i = kBits[range]; i-- > 0;)
        EncodeWithPrev(e, base, prev, uint8_t((value >> i) & 1));
    return 0;
}

JB2_Error MQ_Encoder_Encode_IAID(JB2MQEncoder* e, uint32_t value, uint32_t codeLength)
{
    if (!e)
        return cJB2_Error_Internal;
    if (codeLength > kJB2MaxSymbolCodeLength)
        return cJB2_Error_Internal;
    uint32_t prev = 1;
    for (uint32_t i = codeLength; i-- > 0;) {
        const uint8_t bit = uint8_t((value >> i) & 1);
        MQ_Encoder_Encode_Bit(e, JB2MQContexts::kIAID | prev, bit);
        prev = (prev << 1) | bit;
    }
    return 0;
}

JB2_Error MQ_Encoder_End(JB2MQEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2MQEncoder* e = *holder;
    *holder = nullptr;
    if (--e->shares > 0)
        return 0;
    if (e->decisions > 0) {
        Flush(e);
        WriteBuffer(e);
    }
    const int32_t status = e->writeStatus;
    Free(e, memory);
    return status;
}

}  // namespace ZAV
