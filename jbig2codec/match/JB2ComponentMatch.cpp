#include "jbig2codec/match/JB2ComponentMatch.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
// The vector headers fill lanes they leave unused from undefined values,
// which some compilers take for a read of an uninitialised one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif

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

// The differing pixels and their 8-connected pairs (along each row and
// to the row above), row by row as the rows are XORed; false as soon as
// more than t1 pixels differ or the weighted sum passes t2, as both only
// grow. Row words beyond the component's read as 0.
template <bool kInstruction>
inline __attribute__((always_inline)) bool CountRows(const JB2ComponentMatch* m, const JB2Component* other,
                                                     uint32_t* count, uint32_t* pairs)
{
    const uint32_t words = m->component->wordStride;
    uint32_t n = 0, p = 0;
    if (words == 1) {
        // A row in one word, as for most glyphs.
        const uint64_t* a = m->component->words;
        const uint64_t* b = other->words;
        const uint32_t bStride = other->wordStride;
        uint64_t above = 0;
        for (uint32_t y = 0; y < m->height; ++y, b += bStride) {
            const uint64_t d = a[y] ^ *b;
            if (d) {
                n += Count<kInstruction>(d);
                p += Count<kInstruction>(d & (d << 1));
            }
            if (above)
                p += Count<kInstruction>(above & d) + Count<kInstruction>(above & (d << 1)) +
                     Count<kInstruction>(above & (d >> 1));
            if (n > m->t1 || n + 2 * uint64_t(p) > m->t2)
                return false;
            above = d;
        }
        *count = n;
        *pairs = p;
        return true;
    }
    // Two rows of differences, each with a zero word on either side.
    uint64_t* above = m->rows;
    uint64_t* row = m->rows + words + 2;
    std::fill(m->rows, m->rows + 2 * (words + 2), 0ull);
    for (uint32_t y = 0; y < m->height; ++y) {
        const uint64_t* a = m->component->words + uint64_t(y) * words;
        const uint64_t* b = other->words + uint64_t(y) * other->wordStride;
        for (uint32_t i = 0; i < words; ++i) {
            row[i + 1] = a[i] ^ b[i];
            n += Count<kInstruction>(row[i + 1]);
        }
        for (uint32_t i = 1; i <= words; ++i) {
            const uint64_t d = row[i];
            if (d)
                p += Count<kInstruction>(d & ((d << 1) | (row[i + 1] >> 63)));
            const uint64_t v = above[i];
            if (!v)
                continue;
            const uint64_t belowRight = (d << 1) | (row[i + 1] >> 63);
            const uint64_t belowLeft = (d >> 1) | (row[i - 1] << 63);
            p += Count<kInstruction>(v & d) + Count<kInstruction>(v & belowRight) + Count<kInstruction>(v & belowLeft);
        }
        if (n > m->t1 || n + 2 * uint64_t(p) > m->t2)
            return false;
        std::swap(above, row);
    }
    *count = n;
    *pairs = p;
    return true;
}

bool CountDifferencesPortable(const JB2ComponentMatch* m, const JB2Component* other, uint32_t* count, uint32_t* pairs)
{
    return CountRows<false>(m, other, count, pairs);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("popcnt"))) bool CountDifferencesPopcnt(const JB2ComponentMatch* m, const JB2Component* other,
                                                              uint32_t* count, uint32_t* pairs)
{
    return CountRows<true>(m, other, count, pairs);
}

__attribute__((target("avx512f"))) inline uint64_t Sum(__m512i v)
{
    return uint64_t(_mm512_reduce_add_epi64(v));
}

// One-word rows eight at a time, with the processor's vector bit count:
// the rows above are the same vectors moved on by one row, the last row of
// the eight before coming first. Rows past the height read as 0.
__attribute__((target("avx512f,avx512vpopcntdq"))) bool
CountOneWordRowsVector(const JB2ComponentMatch* m, const JB2Component* other, uint32_t* count, uint32_t* pairs)
{
    const uint64_t* a = m->component->words;
    const uint64_t* b = other->words;
    __m512i n = _mm512_setzero_si512(), p = _mm512_setzero_si512(), before = _mm512_setzero_si512();
    for (uint32_t y = 0; y < m->height; y += 8) {
        const __mmask8 lanes = m->height - y >= 8 ? __mmask8(0xFF) : __mmask8((1u << (m->height - y)) - 1);
        const __m512i d =
            _mm512_xor_si512(_mm512_maskz_loadu_epi64(lanes, a + y), _mm512_maskz_loadu_epi64(lanes, b + y));
        // The masked forms leave no lane undefined.
        const __m512i above = _mm512_maskz_alignr_epi64(0xFF, d, before, 7);
        const __m512i left = _mm512_maskz_slli_epi64(0xFF, d, 1);
        n = _mm512_add_epi64(n, _mm512_popcnt_epi64(d));
        p = _mm512_add_epi64(p, _mm512_popcnt_epi64(_mm512_and_si512(d, left)));
        p = _mm512_add_epi64(p, _mm512_popcnt_epi64(_mm512_and_si512(above, d)));
        p = _mm512_add_epi64(p, _mm512_popcnt_epi64(_mm512_and_si512(above, left)));
        p = _mm512_add_epi64(p, _mm512_popcnt_epi64(_mm512_and_si512(above, _mm512_maskz_srli_epi64(0xFF, d, 1))));
        const uint64_t differing = Sum(n);
        if (differing > m->t1 || differing + 2 * Sum(p) > m->t2)
            return false;
        before = d;
    }
    *count = uint32_t(Sum(n));
    *pairs = uint32_t(Sum(p));
    return true;
}

// Asked once while the library loads; the processor model is read first,
// as this may run before the runtime's own start-up code has read it.
const bool kHasPopcnt = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt"));
const bool kHasVectorPopcnt =
    kHasPopcnt && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq");

bool CountDifferences(const JB2ComponentMatch* m, const JB2Component* other, uint32_t* count, uint32_t* pairs)
{
    if (kHasVectorPopcnt && m->component->wordStride == 1 && other->wordStride == 1)
        return CountOneWordRowsVector(m, other, count, pairs);
    return kHasPopcnt ? CountDifferencesPopcnt(m, other, count, pairs)
                      : CountDifferencesPortable(m, other, count, pairs);
}
#else
bool CountDifferences(const JB2ComponentMatch* m, const JB2Component* other, uint32_t* count, uint32_t* pairs)
{
    return CountDifferencesPortable(m, other, count, pairs);
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
    uint64_t* map = m ? JB2MemoryAllocArray<uint64_t>(memory, 2 * uint64_t(stride)) : nullptr;
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
    m->rows = map;
    *out = m;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentMatchWeighted(JB2ComponentMatch* m, JB2Component* other, JB2Memory* memory, int32_t* measure)
{
    if (!m || !other || !other->bitmap || !measure || other->height != m->height || other->width < m->width ||
        other->width > m->width + 1)
        return cJB2_Error_Internal;
    *measure = -1;
    uint32_t count = 0, pairs = 0;
    if (Difference(m->pixels, other->pixels) > m->t1)
        return cJB2_Error_OK;
    JB2_Error status = other->words ? cJB2_Error_OK : JB2ComponentWords(other, memory);
    if (status != cJB2_Error_OK || !CountDifferences(m, other, &count, &pairs))
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
    // each neighbouring pair; the count stopped early past t2.
    *measure = int32_t(count + 2 * pairs);
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentMatchFree(JB2ComponentMatch** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2ComponentMatch* m = *holder;
    if (m->rows)
        JB2MemoryFree(memory, &m->rows);
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
