#include "jbig2codec/refinement/JB2RefinementEncoder.h"

#include <cstring>

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

inline uint32_t PixelAt(const uint8_t* row, int64_t x, uint32_t width)
{
    return row && x >= 0 && x < int64_t(width) ? (row[x / 8] >> (7 - x % 8)) & 1 : 0;
}

// Template 0 with its AT pixels at their nominal places: the context of
// pixel x holds pixels x - 1 to x + 1 of the three reference rows and of
// the target row above, and pixel x - 1 of its own row. Each of those
// windows slides one pixel on per pixel, which gives the contexts the
// template cuts anew for every pixel.
void EncodeNominalTemplate0(JB2RefinementEncoder* e, const JB2RefinementRows& rows, const uint8_t* current)
{
    const JB2RefinementTemplate* t = &e->shape;
    const int64_t dx = t->reference.dx;
    const uint32_t referenceWidth = t->reference.width;
    auto reference = [&](uint32_t row, int64_t x) { return PixelAt(rows.reference[row], x - dx, referenceWidth); };
    uint32_t windows[3];
    for (uint32_t row = 0; row < 3; ++row)
        windows[row] = (reference(row, -1) << 2) | (reference(row, 0) << 1) | reference(row, 1);
    uint32_t above = (PixelAt(rows.target[0], 0, t->width) << 1) | PixelAt(rows.target[0], 1, t->width);
    uint32_t left = 0;
    for (uint32_t x = 0; x < t->width; ++x) {
        const uint32_t cx = (windows[0] << 10) | (windows[1] << 7) | (windows[2] << 4) | (above << 1) | left;
        const uint32_t pixel = (current[x / 8] >> (7 - x % 8)) & 1;
        MQ_Encoder_Encode_Bit_Inline(e->mq, JB2MQContexts::kRefinement + cx, uint8_t(pixel));
        for (uint32_t row = 0; row < 3; ++row)
            windows[row] = ((windows[row] << 1) | reference(row, int64_t(x) + 2)) & 7;
        above = ((above << 1) | PixelAt(rows.target[0], int64_t(x) + 2, t->width)) & 7;
        left = pixel;
    }
}

}  // namespace

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
    if (t->grTemplate == 0 && t->nominal) {
        EncodeNominalTemplate0(e, rows, current);
        ++e->linesDone;
        return cJB2_Error_OK;
    }
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
