#include "jbig2codec/refinement/JB2RefinementDecoder.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

// The rows around the pixel being decoded: null where a row lies outside
// its bitmap, so that every pixel there reads 0.
struct Rows {
    const uint8_t* target[2];     // target rows y - 1 and y
    const uint8_t* reference[3];  // reference rows under target rows y - 1, y, y + 1
};

inline uint32_t Pixel(const uint8_t* row, int64_t x, uint32_t width)
{
    if (!row || x < 0 || x >= int64_t(width))
        return 0;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

// Reference row under target row y, in 64 bits: DY comes from the file.
const uint8_t* ReferenceRow(const JB2RefinementReference& r, int64_t y)
{
    const int64_t row = y - r.dy;
    return row < 0 || row >= int64_t(r.height) ? nullptr : r.data + uint64_t(row) * r.stride;
}

inline uint32_t Reference(const JB2RefinementDecoder* d, const Rows& rows, int64_t x, int32_t row)
{
    return Pixel(rows.reference[row + 1], x - d->reference.dx, d->reference.width);
}

inline uint32_t Target(const JB2RefinementDecoder* d, const Rows& rows, int64_t x, int32_t row)
{
    return Pixel(rows.target[row + 1], x, d->width);
}

uint32_t Template0Context(const JB2RefinementDecoder* d, const Rows& rows, int64_t x, int64_t y)
{
    uint32_t cx = 0;
    if (d->nominal) {
        cx = Reference(d, rows, x - 1, -1);
    } else {
        const int64_t ry = y + d->atY[1] - d->reference.dy;
        const uint8_t* row = ry < 0 || ry >= int64_t(d->reference.height)
                                 ? nullptr
                                 : d->reference.data + uint64_t(ry) * d->reference.stride;
        cx = Pixel(row, x + d->atX[1] - d->reference.dx, d->reference.width);
    }
    cx = (cx << 1) | Reference(d, rows, x, -1);
    cx = (cx << 1) | Reference(d, rows, x + 1, -1);
    for (int32_t row = 0; row <= 1; ++row)
        for (int64_t dx = -1; dx <= 1; ++dx)
            cx = (cx << 1) | Reference(d, rows, x + dx, row);
    if (d->nominal) {
        cx = (cx << 1) | Target(d, rows, x - 1, -1);
    } else {
        const int64_t ty = y + d->atY[0];
        const uint8_t* row = ty < 0 || ty > y ? nullptr : d->target + uint64_t(ty) * d->stride;
        cx = (cx << 1) | Pixel(row, x + d->atX[0], d->width);
    }
    cx = (cx << 1) | Target(d, rows, x, -1);
    cx = (cx << 1) | Target(d, rows, x + 1, -1);
    return (cx << 1) | Target(d, rows, x - 1, 0);
}

uint32_t Template1Context(const JB2RefinementDecoder* d, const Rows& rows, int64_t x)
{
    uint32_t cx = Reference(d, rows, x, -1);
    for (int64_t dx = -1; dx <= 1; ++dx)
        cx = (cx << 1) | Reference(d, rows, x + dx, 0);
    cx = (cx << 1) | Reference(d, rows, x, 1);
    cx = (cx << 1) | Reference(d, rows, x + 1, 1);
    for (int64_t dx = -1; dx <= 1; ++dx)
        cx = (cx << 1) | Target(d, rows, x + dx, -1);
    return (cx << 1) | Target(d, rows, x - 1, 0);
}

}  // namespace

JB2_Error MQ_Context_Reference_Decoder_Start(JB2RefinementDecoder** out, JB2Memory* memory, uint32_t width,
                                             uint32_t height, uint8_t grTemplate, uint8_t nominal, const int8_t* atX,
                                             const int8_t* atY, const JB2RefinementReference* reference,
                                             JB2MQDecoder* shared, JB2Message* message)
{
    if (!out || !shared || !reference || width == 0 || height == 0 || grTemplate > 1 ||
        (grTemplate == 0 && !nominal && (!atX || !atY)))
        return cJB2_Error_Internal;
    *out = nullptr;
    if (reference->width && reference->height &&
        (!reference->data || reference->stride < (uint64_t(reference->width) + 7) / 8))
        return cJB2_Error_Internal;
    JB2_Error status = JB2GenericCheckSize(width, height, message);
    if (status != cJB2_Error_OK)
        return status;
    auto* d = JB2MemoryNew<JB2RefinementDecoder>(memory);
    const uint32_t stride = (width + 7) / 8;
    uint8_t* target = d ? JB2MemoryAllocArray<uint8_t>(memory, uint64_t(stride) * height) : nullptr;
    if (!target) {
        if (d)
            JB2MemoryFree(memory, &d);
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate MQ context reference decoder object!");
    }
    d->width = width;
    d->height = height;
    d->stride = stride;
    d->target = target;
    d->reference = *reference;
    d->grTemplate = grTemplate;
    // Template 1 has no AT pixels; template 0 at (-1, -1) twice is the nominal case.
    d->nominal = grTemplate == 1 || nominal || (atX[0] == -1 && atY[0] == -1 && atX[1] == -1 && atY[1] == -1);
    if (!d->nominal) {
        std::memcpy(d->atX, atX, 2);
        std::memcpy(d->atY, atY, 2);
    }
    MQ_Decoder_Share(shared);
    d->mq = shared;
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error MQ_Context_Reference_Decoder_Line(JB2RefinementDecoder* d, uint8_t* line)
{
    if (!d || !line || d->linesDone >= d->height)
        return cJB2_Error_Internal;
    const int64_t y = d->linesDone;
    uint8_t* current = d->target + uint64_t(y) * d->stride;
    Rows rows;
    rows.target[0] = y > 0 ? current - d->stride : nullptr;
    rows.target[1] = current;
    for (int32_t i = 0; i < 3; ++i)
        rows.reference[i] = ReferenceRow(d->reference, y - 1 + i);
    for (uint32_t x = 0; x < d->width; ++x) {
        const uint32_t cx = d->grTemplate == 0 ? Template0Context(d, rows, x, y) : Template1Context(d, rows, x);
        if (MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kRefinement + cx))
            current[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
    std::memcpy(line, current, d->stride);
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
    if (d->target)
        JB2MemoryFree(memory, &d->target);
    *holder = nullptr;
    JB2MemoryFree(memory, &d);
    return status;
}

}  // namespace ZAV
