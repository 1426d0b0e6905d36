#include "jbig2codec/refinement/JB2RefinementContext.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"

namespace ZAV {

namespace {

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

inline uint32_t Reference(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x, int32_t row)
{
    return Pixel(rows.reference[row + 1], x - t->reference.dx, t->reference.width);
}

inline uint32_t Target(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x, int32_t row)
{
    return Pixel(rows.target[row + 1], x, t->width);
}

uint32_t Template0Context(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x, int64_t y)
{
    uint32_t cx = 0;
    if (t->nominal) {
        cx = Reference(t, rows, x - 1, -1);
    } else {
        const uint8_t* row = ReferenceRow(t->reference, y + t->atY[1]);
        cx = Pixel(row, x + t->atX[1] - t->reference.dx, t->reference.width);
    }
    cx = (cx << 1) | Reference(t, rows, x, -1);
    cx = (cx << 1) | Reference(t, rows, x + 1, -1);
    for (int32_t row = 0; row <= 1; ++row)
        for (int64_t dx = -1; dx <= 1; ++dx)
            cx = (cx << 1) | Reference(t, rows, x + dx, row);
    if (t->nominal) {
        cx = (cx << 1) | Target(t, rows, x - 1, -1);
    } else {
        const int64_t ty = y + t->atY[0];
        const uint8_t* row = ty < 0 || ty > y ? nullptr : t->target + uint64_t(ty) * t->stride;
        cx = (cx << 1) | Pixel(row, x + t->atX[0], t->width);
    }
    cx = (cx << 1) | Target(t, rows, x, -1);
    cx = (cx << 1) | Target(t, rows, x + 1, -1);
    return (cx << 1) | Target(t, rows, x - 1, 0);
}

uint32_t Template1Context(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x)
{
    uint32_t cx = Reference(t, rows, x, -1);
    for (int64_t dx = -1; dx <= 1; ++dx)
        cx = (cx << 1) | Reference(t, rows, x + dx, 0);
    cx = (cx << 1) | Reference(t, rows, x, 1);
    cx = (cx << 1) | Reference(t, rows, x + 1, 1);
    for (int64_t dx = -1; dx <= 1; ++dx)
        cx = (cx << 1) | Target(t, rows, x + dx, -1);
    return (cx << 1) | Target(t, rows, x - 1, 0);
}

}  // namespace

JB2_Error JB2RefinementTemplateStart(JB2RefinementTemplate* t, JB2Memory* memory, uint32_t width, uint32_t height,
                                     uint8_t grTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                     const JB2RefinementReference* reference, const char* allocationText,
                                     JB2Message* message)
{
    if (!t || !reference || width == 0 || height == 0 || grTemplate > 1 ||
        (grTemplate == 0 && !nominal && (!atX || !atY)))
        return cJB2_Error_Internal;
    if (reference->width && reference->height &&
        (!reference->data || reference->stride < (uint64_t(reference->width) + 7) / 8))
        return cJB2_Error_Internal;
    JB2_Error status = JB2GenericCheckSize(width, height, message);
    if (status != cJB2_Error_OK)
        return status;
    *t = JB2RefinementTemplate{};
    t->stride = (width + 7) / 8;
    t->target = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(t->stride) * height);
    if (!t->target)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "%s", allocationText);
    t->width = width;
    t->height = height;
    t->reference = *reference;
    t->grTemplate = grTemplate;
    // Template 1 has no AT pixels; template 0 at (-1, -1) twice is the nominal case.
    t->nominal = grTemplate == 1 || nominal || (atX[0] == -1 && atY[0] == -1 && atX[1] == -1 && atY[1] == -1);
    if (!t->nominal) {
        std::memcpy(t->atX, atX, 2);
        std::memcpy(t->atY, atY, 2);
    }
    return cJB2_Error_OK;
}

void JB2RefinementTemplateEnd(JB2RefinementTemplate* t, JB2Memory* memory)
{
    if (t && t->target)
        JB2MemoryFree(memory, &t->target);
}

void JB2RefinementRowsAt(const JB2RefinementTemplate* t, uint32_t y, JB2RefinementRows* rows)
{
    uint8_t* current = t->target + uint64_t(y) * t->stride;
    rows->target[0] = y > 0 ? current - t->stride : nullptr;
    rows->target[1] = current;
    for (int32_t i = 0; i < 3; ++i)
        rows->reference[i] = ReferenceRow(t->reference, int64_t(y) - 1 + i);
}

uint32_t JB2RefinementContextAt(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x, int64_t y)
{
    return t->grTemplate == 0 ? Template0Context(t, rows, x, y) : Template1Context(t, rows, x);
}

}  // namespace ZAV
