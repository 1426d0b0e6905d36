#include "jbig2codec/refinement/JB2RefinementEncoder.h"

#include <cstring>

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

JB2_Error MQ_Context_Reference_Encoder_Start(JB2RefinementEncoder** out, JB2Memory* memory, uint32_t width,
                                             uint32_t height, uint8_t grTemplate,
                                             const JB2RefinementReference* reference, JB2MQEncoder* shared,
                                             JB2Message* message)
{
    if (!out || !shared)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = JB2MemoryNew<JB2RefinementEncoder>(memory);
    if (!e)
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate MQ context reference encoder object!");
    JB2_Error status =
        JB2RefinementTemplateStart(&e->shape, memory, width, height, grTemplate, 1, nullptr, nullptr, reference,
                                   "Unable to allocate MQ context reference encoder object!", message);
    if (status != cJB2_Error_OK) {
        JB2MemoryFree(memory, &e);
        return status;
    }
    MQ_Encoder_Share(shared);
    e->mq = shared;
    *out = e;
    return cJB2_Error_OK;
}

JB2_Error MQ_Context_Reference_Encoder_Line(JB2RefinementEncoder* e, const uint8_t* line)
{
    if (!e || !line || e->linesDone >= e->shape.height)
        return cJB2_Error_Internal;
    const JB2RefinementTemplate* t = &e->shape;
    const uint32_t y = e->linesDone;
    uint8_t* current = t->target + uint64_t(y) * t->stride;
    std::memcpy(current, line, t->stride);
    // The bits past the width must read 0 in the contexts of the next row.
    if (t->width % 8)
        current[t->stride - 1] &= uint8_t(0xFF << (8 - t->width % 8));
    JB2RefinementRows rows;
    JB2RefinementRowsAt(t, y, &rows);
    // A pixel's context holds only pixels before it on its row, so the
    // whole row may be in place while it is coded.
    for (uint32_t x = 0; x < t->width; ++x) {
        const uint32_t cx = JB2RefinementContextAt(t, rows, x, y);
        MQ_Encoder_Encode_Bit(e->mq, JB2MQContexts::kRefinement + cx, (current[x / 8] >> (7 - x % 8)) & 1);
    }
    ++e->linesDone;
    return cJB2_Error_OK;
}

JB2_Error MQ_Context_Reference_Encoder_End(JB2RefinementEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2RefinementEncoder* e = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (e->mq)
        status = MQ_Encoder_End(&e->mq, memory);
    JB2RefinementTemplateEnd(&e->shape, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
