#include "jbig2codec/refinement/JB2RefinementDecoder.h"

#include <cstring>

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

JB2_Error MQ_Context_Reference_Decoder_Start(JB2RefinementDecoder** out, JB2Memory* memory, uint32_t width,
                                             uint32_t height, uint8_t grTemplate, uint8_t nominal, const int8_t* atX,
                                             const int8_t* atY, const JB2RefinementReference* reference,
                                             JB2MQDecoder* shared, JB2Message* message)
{
    if (!out || !shared)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* d = JB2MemoryNew<JB2RefinementDecoder>(memory);
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate MQ context reference decoder object!");
    JB2_Error status =
        JB2RefinementTemplateStart(&d->shape, memory, width, height, grTemplate, nominal, atX, atY, reference,
                                   "Unable to allocate MQ context reference decoder object!", message);
    if (status != cJB2_Error_OK) {
        JB2MemoryFree(memory, &d);
        return status;
    }
    MQ_Decoder_Share(shared);
    d->mq = shared;
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error MQ_Context_Reference_Decoder_Line(JB2RefinementDecoder* d, uint8_t* line)
{
    if (!d || !line || d->linesDone >= d->shape.height)
        return cJB2_Error_Internal;
    const JB2RefinementTemplate* t = &d->shape;
    const uint32_t y = d->linesDone;
    uint8_t* current = t->target + uint64_t(y) * t->stride;
    JB2RefinementRows rows;
    JB2RefinementRowsAt(t, y, &rows);
    for (uint32_t x = 0; x < t->width; ++x) {
        const uint32_t cx = JB2RefinementContextAt(t, rows, x, y);
        if (MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kRefinement + cx))
            current[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
    std::memcpy(line, current, t->stride);
    ++d->linesDone;
    return cJB2_Error_OK;
}

JB2_Error MQ_Context_Reference_Decoder_End(JB2RefinementDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2RefinementDecoder* d = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (d->mq)
        status = MQ_Decoder_End(&d->mq, memory);
    JB2RefinementTemplateEnd(&d->shape, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &d);
    return status;
}

}  // namespace ZAV
