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

uint32_t Difference(uint64_t a, uint64_t b)
{
    return uint32_t(a > b ? a - b : b - a);
}

inline uint32_t Ones(uint64_t v)
{
    v = v - ((v >> 1) & 0x5555555555555555ull);
    v = (v & 0x3333333333333333ull) + ((v >> 2) & 0x3333333333333333ull);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return uint32_t((v * 0x0101010101010101ull) >> 56);
}

// Bits set in a word: the processor's own count where it has one.
template <bool kInstruction>
inline uint32_t Count(uint64_t v)
{
    return kInstruction ? uint32_t(__builtin_popcountll(v)) : Ones(v);
}

// XOR of the rows into the difference map; false when more than t1 differ.
template <bool kInstruction>
inline __attribute__((always_inline)) bool MapRows(JB2ComponentMatch* m, const JB2Component* other, uint32_t* count)
{
    const uint32_t words = m->component->wordStride;
    uint32_t n = 0;
    *count = 0;
    if (words == 1) {
        // A row in one word, as for most glyphs.
        const uint64_t* a = m->component->words;
        const uint64_t* b = other->words;
        uint64_t* d = m->differences + m->stride + 1;
        const uint32_t bStride = other->wordStride;
        for (uint32_t y = 0; y < m->height; ++y, b += bStride, d += m->stride) {
            *d = a[y] ^ *b;
            n += Count<kInstruction>(*d);
            if (n > m->t1)
                return false;
        }
        *count = n;
        return true;
    }
    for (uint32_t y = 0; y < m->height; ++y) {
        const uint64_t* a = m->component->words + uint64_t(y) * words;
        const uint64_t* b = other->words + uint64_t(y) * other->wordStride;
        uint64_t* d = m->differences + uint64_t(y + 1) * m->stride + 1;
        for (uint32_t i = 0; i < words; ++i) {
            d[i] = a[i] ^ b[i];
            n += Count<kInstruction>(d[i]);
        }
        if (n > m->t1)
            return false;
    }
    *count = n;
    return true;
}

// 8-connected pairs of differing pixels: along each row and to the row
// below. Rows have a zero word on each side and a zero row above and below.
template <bool kInstruction>
inline __attribute__((always_inline)) uint32_t RowPairs(const JB2ComponentMatch* m)
{
    const uint32_t words = m->component->wordStride;
    uint32_t pairs = 0;
    if (words == 1) {
        // Whole rows in one word between zero words.
        const uint64_t* row = m->differences + m->stride + 1;
        for (uint32_t y = 1; y <= m->height; ++y, row += m->stride) {
            const uint64_t v = *row, w = row[m->stride];
            if (v)
                pairs += Count<kInstruction>(v & (v << 1)) + Count<kInstruction>(v & w) +
                         Count<kInstruction>(v & (w << 1)) + Count<kInstruction>(v & (w >> 1));
        }
        return pairs;
    }
    for (uint32_t y = 1; y <= m->height; ++y) {
        const uint64_t* row = m->differences + uint64_t(y) * m->stride + 1;
        const uint64_t* below = row + m->stride;
        for (uint32_t i = 0; i < words; ++i) {
            const uint64_t v = row[i];
            if (!v)
                continue;
            const uint64_t right = (v << 1) | (row[i + 1] >> 63);
            const uint64_t w = below[i];
            const uint64_t belowRight = (w << 1) | (below[i + 1] >> 63);
            const uint64_t belowLeft = (w >> 1) | ((below - 1)[i] << 63);
            pairs += Count<kInstruction>(v & right) + Count<kInstruction>(v & w) + Count<kInstruction>(v & belowRight) +
                     Count<kInstruction>(v & belowLeft);
        }
    }
    return pairs;
}

bool MapDifferencesPortable(JB2ComponentMatch* m, const JB2Component* other, uint32_t* count)
{
    return MapRows<false>(m, other, count);
}

uint32_t PairsPortable(const JB2ComponentMatch* m)
{
    return RowPairs<false>(m);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("popcnt"))) bool MapDifferencesPopcnt(JB2ComponentMatch* m, const JB2Component* other,
                                                            uint32_t* count)
{
    return MapRows<true>(m, other, count);
}

__attribute__((target("popcnt"))) uint32_t PairsPopcnt(const JB2ComponentMatch* m)
{
    return RowPairs<true>(m);
}

// Asked once while the library loads; the processor model is read first,
// as this may run before the runtime's own start-up code has read it.
const bool kHasPopcnt = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt"));

bool MapDifferences(JB2ComponentMatch* m, const JB2Component* other, uint32_t* count)
{
    return kHasPopcnt ? MapDifferencesPopcnt(m, other, count) : MapDifferencesPortable(m, other, count);
}

uint32_t Pairs(const JB2ComponentMatch* m)
{
    return kHasPopcnt ? PairsPopcnt(m) : PairsPortable(m);
}
#else
bool MapDifferences(JB2ComponentMatch* m, const JB2Component* other, uint32_t* count)
{
    return MapDifferencesPortable(m, other, count);
}

uint32_t Pairs(const JB2ComponentMatch* m)
{
    return PairsPortable(m);
}
#endif

}  // namespace

JB2_Error JB2ComponentMatchCreate(JB2ComponentMatch** out, JB2Memory* memory, JB2Component* component,
                                  JB2Message* message)
{
    if (!out || !component || !component->bitmap)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* m = JB2ComponentWords(component, memory) == cJB2_Error_OK ? JB2MemoryNew<JB2ComponentMatch>(memory) : nullptr;
    const uint32_t stride = component->wordStride + 2;
    uint64_t* map = m ? JB2MemoryAllocArray<uint64_t>(memory, uint64_t(stride) * (component->height + 2)) : nullptr;
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
    if (Difference(m->pixels, other->pixels) > m->t1)
        return cJB2_Error_OK;
    JB2_Error status = JB2ComponentWords(other, memory);
    if (status != cJB2_Error_OK || !MapDifferences(m, other, &count))
        return status;
    if (count == 0) {
        *measure = 0;
        return cJB2_Error_OK;
    }
    uint32_t holesA = 0, holesB = 0;
    status = JB2ComponentHoleCount(m->component, memory, &holesA);
    if (status == cJB2_Error_OK)
        status = JB2ComponentHoleCount(other, memory, &holesB);
    if (status != cJB2_Error_OK || holesA != holesB)
        return status;
    // Summed over the differing pixels, the differing pixels of each one's
    // 3 x 3 neighbourhood count every pixel once for itself and twice for
    // each neighbouring pair.
    const uint64_t sum = uint64_t(count) + 2 * uint64_t(Pairs(m));
    if (sum <= m->t2)
        *measure = int32_t(sum);
    return cJB2_Error_OK;
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
