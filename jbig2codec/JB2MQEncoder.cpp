#include "jbig2codec/JB2MQEncoder.h"

#include "jbig2codec/JB2Limits.h"
#include "jbig2codec/JB2MQContexts.h"

namespace {

void Error(JB2_Message* message, const char* text)
{
    JB2_Message_Set(message, cJB2_Message_Error, text);
    JB2_Message_Set(message, cJB2_Message_Error, "");
}

void WriteBuffer(MQ_Encoder* e)
{
    if (e->fill == 0) return;
    const uint32_t written = JB2_Write_Data_Write(e->output, e->buffer, e->offset, e->fill);
    if (written != e->fill && e->writeStatus == 0) e->writeStatus = cJB2_Error_Write_Failure;
    e->offset += e->fill;
    e->fill = 0;
}

// Moves on to the next byte: the finished byte B is stored, except at the
// position before the first byte, which only exists for a carry.
void EmitByte(MQ_Encoder* e)
{
    if (e->started) {
        if (e->fill == e->capacity) WriteBuffer(e);
        e->buffer[e->fill++] = uint8_t(e->b);
    }
    e->started = true;
}

void ByteOut(MQ_Encoder* e)
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

void RenormE(MQ_Encoder* e)
{
    do {
        e->a <<= 1;
        e->c <<= 1;
        if (--e->ct == 0) ByteOut(e);
    } while ((e->a & 0x8000) == 0);
}

void Free(MQ_Encoder* e, JB2_Memory* memory)
{
    if (e->buffer) JB2_Memory_Free(memory, reinterpret_cast<void**>(&e->buffer));
    if (e->states) JB2_Memory_Free(memory, reinterpret_cast<void**>(&e->states));
    if (e->contexts) JB2_Memory_Free(memory, reinterpret_cast<void**>(&e->contexts));
    if (e->output) JB2_Write_Data_Release(&e->output, memory);
    JB2_Memory_Free(memory, reinterpret_cast<void**>(&e));
}

void Flush(MQ_Encoder* e)
{
    const uint32_t tempC = e->c + e->a;
    e->c |= 0xFFFF;
    if (e->c >= tempC) e->c -= 0x8000;
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

int32_t MQ_Encoder_Start(MQ_Encoder** out, JB2_Memory* memory, uint32_t contextCount,
                         uint32_t startOffset, JB2_Write_Data* output, JB2_Message* message)
{
    if (!out || contextCount == 0 || contextCount > JB2MQContexts::kCount || !output)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = static_cast<MQ_Encoder*>(JB2_Memory_Alloc(memory, sizeof(MQ_Encoder)));
    if (!e) {
        Error(message, "Unable to allocate MQ encoder object!");
        return cJB2_Error_Allocation_Failure;
    }
    *e = MQ_Encoder{};
    JB2_Write_Data_Add_Reference(output);
    e->output = output;
    e->contexts = static_cast<const MQ_State**>(
        JB2_Memory_Alloc(memory, contextCount * uint32_t(sizeof(MQ_State*))));
    if (!e->contexts) {
        Error(message, "Unable to create MQ context states array!");
        Free(e, memory);
        return cJB2_Error_Allocation_Failure;
    }
    e->a = 0x8000;
    e->c = 0;
    e->ct = 12;
    e->b = 0;
    e->buffer = static_cast<uint8_t*>(JB2_Memory_Alloc(memory, kMQEncoderBufferSize));
    if (!e->buffer) {
        Error(message, "Unable to create MQ buffer!");
        Free(e, memory);
        return cJB2_Error_Allocation_Failure;
    }
    e->capacity = kMQEncoderBufferSize;
    e->states = static_cast<MQ_State*>(
        JB2_Memory_Alloc(memory, kMQStateEntries * uint32_t(sizeof(MQ_State))));
    if (!e->states) {
        Error(message, "Unable to create MQ states table!");
        Free(e, memory);
        return cJB2_Error_Allocation_Failure;
    }
    MQ_States_Build(e->states);
    for (uint32_t i = 0; i < contextCount; ++i) e->contexts[i] = &e->states[0];
    e->contextCount = contextCount;
    e->offset = startOffset;
    e->shares = 1;
    *out = e;
    return 0;
}

void MQ_Encoder_Share(MQ_Encoder* encoder)
{
    if (encoder) ++encoder->shares;
}

void MQ_Encoder_Encode_Bit(MQ_Encoder* e, uint32_t context, uint8_t bit)
{
    if (context >= e->contextCount) return;
    ++e->decisions;
    const MQ_State*& cx = e->contexts[context];
    const MQ_State* state = cx;
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

namespace {

inline void EncodeWithPrev(MQ_Encoder* e, uint32_t base, uint32_t& prev, uint8_t bit)
{
    MQ_Encoder_Encode_Bit(e, base | prev, bit);
    prev = prev < 256 ? ((prev << 1) | bit) : ((((prev << 1) | bit) & 511) | 256);
}

}  // namespace

int32_t MQ_Encoder_Encode_Integer(MQ_Encoder* e, uint32_t base, uint32_t magnitude, uint8_t sign)
{
    if (!e) return cJB2_Error_Internal;
    static const uint32_t kBits[6] = {2, 4, 6, 8, 12, 32};
    static const uint32_t kOffset[6] = {0, 4, 20, 84, 340, 4436};
    uint32_t range = 0;
    while (range < 5 && magnitude >= kOffset[range + 1]) ++range;
    uint32_t prev = 1;
    EncodeWithPrev(e, base, prev, sign ? 1 : 0);
    for (uint32_t i = 0; i < range; ++i) EncodeWithPrev(e, base, prev, 1);
    if (range < 5) EncodeWithPrev(e, base, prev, 0);
    const uint32_t value = magnitude - kOffset[range];
    for (uint32_t i = kBits[range]; i-- > 0;) EncodeWithPrev(e, base, prev, uint8_t((value >> i) & 1));
    return 0;
}

int32_t MQ_Encoder_Encode_IAID(MQ_Encoder* e, uint32_t value, uint32_t codeLength)
{
    if (!e) return cJB2_Error_Internal;
    if (codeLength > kJB2MaxSymbolCodeLength) return cJB2_Error_Internal;
    uint32_t prev = 1;
    for (uint32_t i = codeLength; i-- > 0;) {
        const uint8_t bit = uint8_t((value >> i) & 1);
        MQ_Encoder_Encode_Bit(e, JB2MQContexts::kIAID | prev, bit);
        prev = (prev << 1) | bit;
    }
    return 0;
}

int32_t MQ_Encoder_End(MQ_Encoder** holder, JB2_Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    MQ_Encoder* e = *holder;
    *holder = nullptr;
    if (--e->shares > 0) return 0;
    if (e->decisions > 0) {
        Flush(e);
        WriteBuffer(e);
    }
    const int32_t status = e->writeStatus;
    Free(e, memory);
    return status;
}
