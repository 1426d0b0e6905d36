#include "jbig2codec/generic/JB2ContextBuffer.h"

#include <cstring>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

// Bit of the context that each AT pixel occupies.
const uint8_t kATBit[4][4] = {{4, 10, 11, 15}, {3, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}};
// Typical-prediction contexts of the templates.
const uint32_t kTPContext[4] = {0x9B25, 0x0795, 0x00E5, 0x0195};

// n (at most 8) pixels of a ring line from pixel start on, the first the highest bit.
inline uint32_t Bits(const uint8_t* line, int64_t start, uint32_t n)
{
    const uint64_t position = uint64_t(start + 8 * int64_t(kJB2ContextMarginBytes));
    const uint8_t* p = line + position / 8;
    const uint32_t window = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    return (window >> (24 - position % 8 - n)) & ((1u << n) - 1);
}

inline uint32_t Pixel(const JB2ContextBuffer* b, const uint8_t* line, int64_t x)
{
    if (x < 0 || x >= int64_t(b->width))
        return 0;
    return (line[kJB2ContextMarginBytes + x / 8] >> (7 - x % 8)) & 1;
}

inline uint8_t* RingLine(const JB2ContextBuffer* b, uint64_t index)
{
    return b->ring + (index % b->ringLines) * b->stride;
}

// The context with every AT pixel at its nominal place.
inline uint32_t NominalContext(const JB2ContextBuffer* b, uint32_t x)
{
    const int64_t px = x;
    switch (b->gbTemplate) {
    case 0:
        return (Bits(b->above2, px - 2, 5) << 11) | (Bits(b->above, px - 3, 7) << 4) | Bits(b->current, px - 4, 4);
    case 1:
        return (Bits(b->above2, px - 1, 4) << 9) | (Bits(b->above, px - 2, 6) << 3) | Bits(b->current, px - 3, 3);
    case 2:
        return (Bits(b->above2, px - 1, 3) << 7) | (Bits(b->above, px - 2, 5) << 2) | Bits(b->current, px - 2, 2);
    default:
        return (Bits(b->above, px - 3, 6) << 4) | Bits(b->current, px - 4, 4);
    }
}

}  // namespace

uint32_t JB2GenericATCount(uint8_t gbTemplate)
{
    return gbTemplate == 0 ? 4 : 1;
}

JB2_Error JB2GenericCheckAT(uint8_t gbTemplate, const int8_t* atX, const int8_t* atY, JB2Message* message)
{
    for (uint32_t i = 0; i < JB2GenericATCount(gbTemplate); ++i) {
        // A pixel not yet coded cannot be part of the context.
        if (atY[i] > 0 || (atY[i] == 0 && atX[i] >= 0)) {
            return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid AT pixel position (%d, %d)!", atX[i],
                           atY[i]);
        }
    }
    return cJB2_Error_OK;
}

JB2_Error JB2GenericCheckSize(uint32_t width, uint32_t height, JB2Message* message)
{
    if (width > kJB2MaxRegionWidth || height > kJB2MaxRegionHeight || uint64_t(width) * height > kJB2MaxRegionPixels) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Region of %u x %u pixels is too large!", width, height);
    }
    return cJB2_Error_OK;
}

JB2_Error Context_Buffer_Create(JB2ContextBuffer** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                uint8_t gbTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                JB2Message* message)
{
    if (!out || width == 0 || height == 0 || gbTemplate > 3 || (!nominal && (!atX || !atY)))
        return cJB2_Error_Internal;
    *out = nullptr;
    int8_t x[4];
    int8_t y[4];
    JB2GenericNominalATPixels(gbTemplate, x, y);
    if (!nominal) {
        const uint32_t n = JB2GenericATCount(gbTemplate);
        if (std::memcmp(x, atX, n) == 0 && std::memcmp(y, atY, n) == 0) {
            nominal = 1;
        } else {
            JB2_Error status = JB2GenericCheckAT(gbTemplate, atX, atY, message);
            if (status != cJB2_Error_OK)
                return status;
            std::memset(x, 0, 4);
            std::memset(y, 0, 4);
            std::memcpy(x, atX, n);
            std::memcpy(y, atY, n);
        }
    }
    JB2_Error status = JB2GenericCheckSize(width, height, message);
    if (status != cJB2_Error_OK)
        return status;

    auto* b = JB2MemoryNew<JB2ContextBuffer>(memory);
    if (!b)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate context buffer object!");
    b->width = width;
    b->height = height;
    b->bytesPerLine = (width + 7) / 8;
    b->stride = b->bytesPerLine + 2 * kJB2ContextMarginBytes;
    b->ringLines = nominal ? kJB2ContextNominalRingLines : kJB2ContextRingLines;
    b->ring = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(b->stride) * b->ringLines);
    if (!b->ring) {
        JB2MemoryFree(memory, &b);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate context buffer object!");
    }
    b->gbTemplate = gbTemplate;
    b->nominal = nominal;
    std::memcpy(b->atX, x, 4);
    std::memcpy(b->atY, y, 4);
    b->line = 0;
    b->current = RingLine(b, 0);
    b->above = RingLine(b, b->ringLines - 1);
    b->above2 = RingLine(b, b->ringLines - 2);
    *out = b;
    return cJB2_Error_OK;
}

JB2_Error Context_Buffer_Next_Line(JB2ContextBuffer* b)
{
    if (!b || b->line + 1 >= b->height)
        return cJB2_Error_Internal;
    ++b->line;
    b->above2 = b->above;
    b->above = b->current;
    b->current = RingLine(b, b->line);
    return cJB2_Error_OK;
}

void Context_Buffer_Put_Line(JB2ContextBuffer* b, const uint8_t* line)
{
    uint8_t* target = b->current + kJB2ContextMarginBytes;
    std::memcpy(target, line, b->bytesPerLine);
    if (b->width % 8)
        target[b->bytesPerLine - 1] &= uint8_t(0xFF << (8 - b->width % 8));
}

uint32_t Context_Buffer_Context(const JB2ContextBuffer* b, uint32_t x)
{
    const uint32_t context = NominalContext(b, x);
    return b->nominal ? context : Context_Buffer_Apply_AT(b, x, context);
}

uint32_t Context_Buffer_Apply_AT(const JB2ContextBuffer* b, uint32_t x, uint32_t context)
{
    for (uint32_t i = 0; i < JB2GenericATCount(b->gbTemplate); ++i) {
        const uint8_t* line = RingLine(b, uint64_t(b->line) + b->ringLines + b->atY[i]);
        const uint32_t bit = kATBit[b->gbTemplate][i];
        context = (context & ~(1u << bit)) | (Pixel(b, line, int64_t(x) + b->atX[i]) << bit);
    }
    return context;
}

uint32_t Context_Buffer_Context_Current_AT(const JB2ContextBuffer* b, uint32_t x, int32_t offset)
{
    const uint32_t bit = kATBit[b->gbTemplate][0];
    return (NominalContext(b, x) & ~(1u << bit)) | (Pixel(b, b->current, int64_t(x) + offset) << bit);
}

uint32_t Context_Buffer_TP_Context(const JB2ContextBuffer* b)
{
    return kTPContext[b->gbTemplate];
}

void Context_Buffer_Clear_Line(JB2ContextBuffer* b)
{
    std::memset(b->current + kJB2ContextMarginBytes, 0, b->bytesPerLine);
}

void Context_Buffer_Copy_Above(JB2ContextBuffer* b)
{
    std::memcpy(b->current + kJB2ContextMarginBytes, b->above + kJB2ContextMarginBytes, b->bytesPerLine);
}

void Context_Buffer_Get_Line(const JB2ContextBuffer* b, uint8_t* line)
{
    std::memcpy(line, b->current + kJB2ContextMarginBytes, b->bytesPerLine);
}

bool Context_Buffer_Line_Repeats(const JB2ContextBuffer* b)
{
    return std::memcmp(b->current + kJB2ContextMarginBytes, b->above + kJB2ContextMarginBytes, b->bytesPerLine) == 0;
}

JB2_Error Context_Buffer_End(JB2ContextBuffer** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2ContextBuffer* b = *holder;
    if (b->ring)
        JB2MemoryFree(memory, &b->ring);
    *holder = nullptr;
    return JB2MemoryFree(memory, &b);
}

}  // namespace ZAV
