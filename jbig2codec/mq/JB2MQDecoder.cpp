#include "jbig2codec/mq/JB2MQDecoder.h"

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

// INITDEC, T.88 E.3.5.
void InitDec(JB2MQDecoder* d, uint32_t position)
{
    JB2MQLocal r(d);
    r.position = position;
    r.c = uint32_t(r.ByteAt(position)) << 16;
    r.ByteIn();
    r.c <<= 7;
    r.ct -= 7;
    r.a = 0x80000000u;
    r.StoreTo(d);
}

// The decoder's entries from the shared table, successors as entry numbers.
void BuildDecoderStates(JB2MQDecoderState* states)
{
    JB2MQState table[kMQStateEntries];
    JB2MQStatesBuild(table);
    for (uint32_t i = 0; i < kMQStateEntries; ++i) {
        states[i].qeShifted = table[i].qeShifted;
        states[i].mps = table[i].mps;
        states[i].nextMps = uint8_t(table[i].nextMps - table);
        states[i].nextLps = uint8_t(table[i].nextLps - table);
    }
}

void Free(JB2MQDecoder* d, JB2Memory* memory)
{
    if (d->states)
        JB2MemoryFree(memory, &d->states);
    if (d->contexts)
        JB2MemoryFree(memory, &d->contexts);
    JB2MemoryFree(memory, &d);
}

}  // namespace

JB2_Error MQ_Decoder_Start(JB2MQDecoder** out, JB2Memory* memory, uint32_t contextCount, const uint8_t* data,
                           uint32_t length, JB2Message* message)
{
    if (!out || !data || length < 2 || contextCount == 0 || contextCount > JB2MQContexts::kCount)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (data[length - 2] != 0xFF || data[length - 1] != 0xAC) {
        JB2MessageSend(message, cJB2_Message_Warning, "MQ stream should end with 0xff 0xac!");
        JB2MessageSend(message, cJB2_Message_Warning, "Attempting to decode anyway!");
        JB2MessageEnd(message, cJB2_Message_Warning);
    }
    auto* d = static_cast<JB2MQDecoder*>(JB2MemoryAlloc(memory, sizeof(JB2MQDecoder)));
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MQ decoder object!");
    *d = JB2MQDecoder{};
    // Zero-filled: every context starts at entry 0.
    d->contexts = JB2MemoryAllocArray<uint8_t>(memory, contextCount);
    if (!d->contexts) {
        Free(d, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create MQ context states array!");
    }
    d->states = JB2MemoryAllocArray<JB2MQDecoderState>(memory, kMQStateEntries);
    if (!d->states) {
        Free(d, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create MQ states table!");
    }
    BuildDecoderStates(d->states);
    d->contextCount = contextCount;
    d->data = data;
    d->length = length;
    d->shares = 1;
    InitDec(d, 0);
    *out = d;
    return 0;
}

void MQ_Decoder_Share(JB2MQDecoder* decoder)
{
    if (decoder)
        ++decoder->shares;
}

uint8_t MQ_Decoder_Decode_Bit(JB2MQDecoder* d, uint32_t context)
{
    if (context >= d->contextCount)
        return 0;
    JB2MQLocal r(d);
    const uint8_t bit = r.Decode(d->contexts[context]);
    r.StoreTo(d);
    return bit;
}

namespace {

// T.88 A.2 over a source of decisions by context number within the set.
template <class DecodeBit>
__attribute__((always_inline)) inline JB2_Error DecodeInteger(DecodeBit decodeBit, uint8_t* sign, uint32_t* magnitude)
{
    uint32_t prev = 1;
    // Inlined, so that the coder's registers stay in machine registers
    // across the decisions of one integer.
    auto next = [&]() __attribute__((always_inline))
    {
        const uint8_t bit = decodeBit(prev);
        prev = prev < 256 ? ((prev << 1) | bit) : ((((prev << 1) | bit) & 511) | 256);
        return bit;
    };
    *sign = next();
    // Prefix of n 1-bits selects a width and an offset.
    static const uint32_t kBits[6] = {2, 4, 6, 8, 12, 32};
    static const uint32_t kOffset[6] = {0, 4, 20, 84, 340, 4436};
    uint32_t range = 0;
    while (range < 5 && next())
        ++range;
    uint64_t value = 0;
    for (uint32_t i = 0; i < kBits[range]; ++i)
        value = (value << 1) | next();
    value += kOffset[range];
    if (value > kJB2MaxCodedInteger)
        return cJB2_Error_Invalid_Segment_Data;
    *magnitude = uint32_t(value);
    return 0;
}

}  // namespace

JB2_Error MQ_Decoder_Decode_Integer(JB2MQDecoder* d, uint32_t base, uint8_t* sign, uint32_t* magnitude)
{
    if (!d || !sign || !magnitude)
        return cJB2_Error_Internal;
    // PREV stays below 512: with the whole set inside the array, every
    // decision is decoded with the registers in locals.
    if ((base | 511) < d->contextCount) {
        JB2MQLocal r(d);
        uint8_t* contexts = d->contexts;
        const JB2_Error status = DecodeInteger(
            [&](uint32_t prev) __attribute__((always_inline)) { return r.Decode(contexts[base | prev]); }, sign,
            magnitude);
        r.StoreTo(d);
        return status;
    }
    return DecodeInteger([&](uint32_t prev) { return MQ_Decoder_Decode_Bit(d, base | prev); }, sign, magnitude);
}

JB2_Error MQ_Decoder_Decode_IAID(JB2MQDecoder* d, uint32_t* value, uint32_t codeLength)
{
    if (!d || !value)
        return cJB2_Error_Internal;
    *value = 0;
    // Longer codes would index into the generic region contexts.
    if (codeLength > kJB2MaxSymbolCodeLength)
        return cJB2_Error_Invalid_Segment_Data;
    uint32_t prev = 1;
    if ((JB2MQContexts::kIAID | ((uint32_t(1) << codeLength) - 1)) < d->contextCount) {
        JB2MQLocal r(d);
        for (uint32_t i = 0; i < codeLength; ++i)
            prev = (prev << 1) | r.Decode(d->contexts[JB2MQContexts::kIAID | prev]);
        r.StoreTo(d);
    } else {
        for (uint32_t i = 0; i < codeLength; ++i)
            prev = (prev << 1) | MQ_Decoder_Decode_Bit(d, JB2MQContexts::kIAID | prev);
    }
    *value = prev - (uint32_t(1) << codeLength);
    return 0;
}

JB2_Error MQ_Decoder_Restart(JB2MQDecoder* d, uint32_t position)
{
    if (!d || position >= d->length)
        return cJB2_Error_Internal;
    InitDec(d, position);
    return 0;
}

JB2_Error MQ_Decoder_End(JB2MQDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2MQDecoder* d = *holder;
    *holder = nullptr;
    if (--d->shares > 0)
        return 0;
    Free(d, memory);
    return 0;
}

}  // namespace ZAV
