#include "jbig2codec/generic/JB2MQContextEncoder.h"

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

JB2_Error Start(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height, uint8_t gbTemplate,
                uint8_t nominal, const int8_t* atX, const int8_t* atY, uint8_t tpgdon, JB2MQEncoder* shared,
                uint32_t offset, JB2WriteData* output, JB2Message* message)
{
    if (!out) return cJB2_Error_Internal;
    *out = nullptr;
    JB2ContextBuffer* buffer = nullptr;
    JB2_Error status =
        Context_Buffer_Create(&buffer, memory, width, height, gbTemplate, nominal, atX, atY, message);
    if (status != cJB2_Error_OK) return status;
    auto* e = JB2MemoryNew<JB2MQContextEncoder>(memory);
    if (!e) {
        Context_Buffer_End(&buffer, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MQ context encoder object!");
    }
    e->buffer = buffer;
    e->width = width;
    e->height = height;
    e->tpgdon = tpgdon ? 1 : 0;
    if (shared) {
        MQ_Encoder_Share(shared);
        e->mq = shared;
    } else {
        status = MQ_Encoder_Start(&e->mq, memory, JB2MQContexts::kCount, offset, output, message);
        if (status != cJB2_Error_OK) {
            MQ_Context_Encoder_End(&e, memory);
            return status;
        }
    }
    *out = e;
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error MQ_Context_Encoder_Start(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                   uint8_t gbTemplate, uint32_t offset, JB2WriteData* output, JB2Message* message)
{
    if (!output) return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 1, nullptr, nullptr, 0, nullptr, offset, output, message);
}

JB2_Error MQ_Context_Encoder_Start_Shared(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width,
                                          uint32_t height, uint8_t gbTemplate, JB2MQEncoder* shared,
                                          JB2Message* message)
{
    if (!shared) return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 1, nullptr, nullptr, 0, shared, 0, nullptr, message);
}

JB2_Error MQ_Context_Encoder_Start_Adaptive(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width,
                                            uint32_t height, uint8_t gbTemplate, const int8_t* atX,
                                            const int8_t* atY, uint8_t tpgdon, uint32_t offset,
                                            JB2WriteData* output, JB2Message* message)
{
    if (!output || !atX || !atY) return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 0, atX, atY, tpgdon, nullptr, offset, output, message);
}

JB2_Error MQ_Context_Encoder_Line(JB2MQContextEncoder* e, const uint8_t* line)
{
    if (!e || !line || e->linesDone >= e->height) return cJB2_Error_Internal;
    JB2ContextBuffer* b = e->buffer;
    Context_Buffer_Put_Line(b, line);
    bool predicted = false;
    if (e->tpgdon) {
        const uint8_t typical = Context_Buffer_Line_Repeats(b) ? 1 : 0;
        MQ_Encoder_Encode_Bit(e->mq, JB2MQContexts::kGeneric + Context_Buffer_TP_Context(b), typical ^ e->ltp);
        e->ltp = typical;
        predicted = typical != 0;
    }
    if (!predicted) {
        const uint8_t* pixels = b->current + kJB2ContextMarginBytes;
        for (uint32_t x = 0; x < e->width; ++x)
            MQ_Encoder_Encode_Bit(e->mq, JB2MQContexts::kGeneric + Context_Buffer_Context(b, x),
                                  (pixels[x / 8] >> (7 - x % 8)) & 1);
    }
    ++e->linesDone;
    return e->linesDone < e->height ? Context_Buffer_Next_Line(b) : cJB2_Error_OK;
}

JB2_Error MQ_Context_Encoder_End(JB2MQContextEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2MQContextEncoder* e = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (e->mq) status = MQ_Encoder_End(&e->mq, memory);
    if (e->buffer) Context_Buffer_End(&e->buffer, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
