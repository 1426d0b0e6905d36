#include "jbig2codec/refinement/JB2RefinementDecoder.h"

#include <cstring>

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

// Contexts of refinement template 0 (13 bits) kept when moving one pixel
// right: each of its rows of three pixels (reference rows y - 1, y, y + 1 at
// bits 12-10, 9-7, 6-4, target row y - 1 at bits 3-1) moves left by one and
// takes its pixel at x + 2 below; bit 0 becomes the pixel just decoded.
constexpr uint32_t kTemplate0Kept = 0x1B6C;

inline uint32_t RowPixel(const uint8_t* row, int64_t x, uint32_t width)
{
    if (!row || x < 0 || x >= int64_t(width))
        return 0;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

// Template 0 with its AT pixels at their nominal places (T.88 6.3.5.3,
// Figure 12): the context runs along the line, four new pixels a step,
// instead of thirteen reads a pixel; the MQ registers stay in locals.
void DecodeLineTemplate0(JB2RefinementDecoder* d, const JB2RefinementRows& rows, uint8_t* current)
{
    const JB2RefinementTemplate* t = &d->shape;
    const int64_t dx = t->reference.dx;
    const uint32_t referenceWidth = t->reference.width;
    auto reference = [&](int32_t row, int64_t x) { return RowPixel(rows.reference[row], x - dx, referenceWidth); };
    auto above = [&](int64_t x) { return RowPixel(rows.target[0], x, t->width); };
    uint32_t cx = 0;
    for (int32_t row = 0; row < 3; ++row)
        for (int64_t x = -1; x <= 1; ++x)
            cx = (cx << 1) | reference(row, x);
    cx = (cx << 4) | (above(-1) << 3) | (above(0) << 2) | (above(1) << 1);
    uint8_t* contexts = d->mq->contexts + JB2MQContexts::kRefinement;
    JB2MQLocal r(d->mq);
    for (uint32_t x = 0; x < t->width; ++x) {
        const uint32_t bit = r.Decode(contexts[cx]);
        if (bit)
            current[x / 8] |= uint8_t(0x80 >> (x % 8));
        const int64_t next = int64_t(x) + 2;
        cx = ((cx << 1) & kTemplate0Kept) | (reference(0, next) << 10) | (reference(1, next) << 7) |
             (reference(2, next) << 4) | (above(next) << 1) | bit;
    }
    r.StoreTo(d->mq);
}

}  // namespace

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
    if (t->grTemplate == 0 && t->nominal && d->mq->contextCount >= JB2MQContexts::kCount) {
        DecodeLineTemplate0(d, rows, current);
    } else {
        for (uint32_t x = 0; x < t->width; ++x) {
            const uint32_t cx = JB2RefinementContextAt(t, rows, x, y);
            if (MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kRefinement + cx))
                current[x / 8] |= uint8_t(0x80 >> (x % 8));
        }
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
