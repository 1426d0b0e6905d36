#include "jbig2codec/match/JB2ComponentMatch.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

// Below this many pixels 20 % of them may differ, from it on 40 %.
constexpr uint32_t kSmallComponentPixels = 75;
constexpr uint32_t kMinWeightedSum = 40;

// Bits set in each byte value.
struct BitCounts {
    uint8_t byte[256];
    BitCounts()
    {
        for (uint32_t i = 0; i < 256; ++i)
            byte[i] = uint8_t((i & 1) + (i >> 1 & 1) + (i >> 2 & 1) + (i >> 3 & 1) + (i >> 4 & 1) + (i >> 5 & 1) +
                              (i >> 6 & 1) + (i >> 7 & 1));
    }
};
const BitCounts kBits;

// Bits set among 3-bit values.
constexpr uint8_t kThreeBits[8] = {0, 1, 1, 2, 1, 2, 2, 3};

uint32_t Difference(uint64_t a, uint64_t b)
{
    return uint32_t(a > b ? a - b : b - a);
}

// The three bits around bit x (x - 1 to x + 1) of a row, x counted from
// the row's first byte; x is at least 1.
inline uint32_t ThreeAround(const uint8_t* row, uint32_t x)
{
    const uint32_t first = x - 1;
    const uint32_t word = uint32_t(row[first / 8]) << 8 | row[first / 8 + 1];
    return (word >> (16 - 3 - first % 8)) & 7;
}

// XOR of the rows into the difference map; false when more than t1 differ.
bool MapDifferences(JB2ComponentMatch* m, const JB2Component* other, uint32_t* count)
{
    const uint32_t bytes = (m->width + 1 + 7) / 8;
    *count = 0;
    for (uint32_t y = 0; y < m->height; ++y) {
        const uint8_t* a = JB2ComponentRow(m->component, y);
        const uint8_t* b = JB2ComponentRow(other, y);
        uint8_t* d = m->differences + uint64_t(y + 1) * m->stride + 1;
        for (uint32_t i = 0; i < bytes; ++i) {
            d[i] = uint8_t(a[i] ^ b[i]);
            *count += kBits.byte[d[i]];
        }
        if (*count > m->t1)
            return false;
    }
    return true;
}

// The sum over every differing pixel of the differing pixels around it,
// itself included; -1 past t2.
int32_t WeightedSum(const JB2ComponentMatch* m)
{
    const uint32_t bits = ((m->width + 1 + 7) / 8) * 8;
    uint32_t sum = 0;
    for (uint32_t y = 1; y <= m->height; ++y) {
        const uint8_t* row = m->differences + uint64_t(y) * m->stride;
        for (uint32_t x = 8; x < 8 + bits; ++x) {
            if (!((row[x / 8] >> (7 - x % 8)) & 1))
                continue;
            sum += kThreeBits[ThreeAround(row - m->stride, x)] + kThreeBits[ThreeAround(row, x)] +
                   kThreeBits[ThreeAround(row + m->stride, x)];
            if (sum > m->t2)
                return -1;
        }
    }
    return int32_t(sum);
}

}  // namespace

JB2_Error JB2ComponentMatchCreate(JB2ComponentMatch** out, JB2Memory* memory, JB2Component* component,
                                  JB2Message* message)
{
    if (!out || !component || !component->bitmap)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* m = JB2MemoryNew<JB2ComponentMatch>(memory);
    const uint32_t stride = (component->width + 1 + 7) / 8 + 2;
    uint8_t* map = m ? JB2MemoryAllocArray<uint8_t>(memory, uint64_t(stride) * (component->height + 2)) : nullptr;
    if (!map) {
        if (m)
            JB2MemoryFree(memory, &m);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate component match object!");
    }
    m->component = component;
    m->width = component->width;
    m->height = component->height;
    m->pixels = component->pixels;
    m->t1 = (m->pixels * (m->pixels < kSmallComponentPixels ? 20 : 40) + 99) / 100;
    m->t2 = std::max(m->pixels, kMinWeightedSum);
    m->differences = map;
    m->stride = stride;
    *out = m;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentMatchWeighted(JB2ComponentMatch* m, JB2Component* other, JB2Memory* memory, int32_t* measure)
{
    if (!m || !other || !other->bitmap || !measure || other->height != m->height || other->width < m->width ||
        other->width > m->width + 1)
        return cJB2_Error_Internal;
    *measure = -1;
    uint32_t count = 0;
    if (Difference(m->pixels, other->pixels) > m->t1 || !MapDifferences(m, other, &count))
        return cJB2_Error_OK;
    if (count == 0) {
        *measure = 0;
        return cJB2_Error_OK;
    }
    uint32_t holesA = 0, holesB = 0;
    JB2_Error status = JB2ComponentHoleCount(m->component, memory, &holesA);
    if (status == cJB2_Error_OK)
        status = JB2ComponentHoleCount(other, memory, &holesB);
    if (status == cJB2_Error_OK && holesA == holesB)
        *measure = WeightedSum(m);
    return status;
}

JB2_Error JB2ComponentMatchFree(JB2ComponentMatch** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2ComponentMatch* m = *holder;
    if (m->differences)
        JB2MemoryFree(memory, &m->differences);
    *holder = nullptr;
    return JB2MemoryFree(memory, &m);
}

uint32_t JB2BitmapPixelCount(const JB2BitmapView* bitmap)
{
    uint32_t count = 0;
    const uint32_t bytes = bitmap->width / 8;
    const uint8_t lastMask = uint8_t(0xFF00u >> (bitmap->width % 8));
    for (uint32_t y = 0; y < bitmap->height; ++y) {
        const uint8_t* row = bitmap->rows + uint64_t(y) * bitmap->stride;
        for (uint32_t i = 0; i < bytes; ++i)
            count += kBits.byte[row[i]];
        if (bitmap->width % 8)
            count += kBits.byte[row[bytes] & lastMask];
    }
    return count;
}

int32_t JB2ComponentPlainMeasure(const JB2Component* c, const JB2BitmapView* bitmap, uint32_t bitmapPixels,
                                 uint32_t bound)
{
    if (!c || !c->bitmap || !bitmap || c->width != bitmap->width || c->height != bitmap->height ||
        Difference(c->pixels, bitmapPixels) > bound)
        return -1;
    const uint32_t bytes = (c->width + 7) / 8;
    uint32_t count = 0;
    for (uint32_t y = 0; y < c->height; ++y) {
        const uint8_t* a = JB2ComponentRow(c, y);
        const uint8_t* b = bitmap->rows + uint64_t(y) * bitmap->stride;
        for (uint32_t i = 0; i < bytes; ++i)
            count += kBits.byte[uint8_t(a[i] ^ b[i])];
        if (count > bound)
            return -1;
    }
    return int32_t(count);
}

}  // namespace ZAV
