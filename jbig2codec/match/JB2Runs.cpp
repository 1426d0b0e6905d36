#include "jbig2codec/match/JB2Runs.h"

#include <cstring>

#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

JB2_Error Append(JB2RunArray* a, JB2Memory* memory, uint32_t first, uint32_t last, uint32_t line)
{
    if (a->count == a->capacity) {
        // Whole blocks, doubling: a page of millions of runs must not copy
        // the array once per block.
        const uint64_t blocks = (uint64_t(a->capacity) / a->blockSize);
        const uint64_t grown = (blocks ? 2 * blocks : 1) * a->blockSize;
        void* runs = grown > UINT32_MAX ? nullptr
                                        : JB2MemoryGrow(memory, a->runs, uint64_t(a->capacity) * sizeof(JB2Run),
                                                        grown * sizeof(JB2Run));
        if (!runs)
            return cJB2_Error_Allocation_Failure;
        a->runs = static_cast<JB2Run*>(runs);
        a->capacity = uint32_t(grown);
    }
    a->runs[a->count] = JB2Run{first, last, line, a->count, 0};
    ++a->count;
    ++a->components;
    return cJB2_Error_OK;
}

// Pixels 64 k to 64 k + 63 of a line of `bytes` bytes, the first in the top bit.
inline uint64_t LineWord(const uint8_t* line, uint32_t bytes, uint32_t k)
{
    const uint32_t start = 8 * k;
    uint64_t word = 0;
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (bytes - start >= 8) {
        std::memcpy(&word, line + start, 8);
        return __builtin_bswap64(word);
    }
#endif
    for (uint32_t i = start; i < bytes; ++i)
        word |= uint64_t(line[i]) << (56 - 8 * (i - start));
    return word;
}

uint32_t Root(const JB2RunArray* a, uint32_t i)
{
    while (a->runs[i].parent != i)
        i = a->runs[i].parent;
    return i;
}

// The root with the lower creation index becomes the root of both runs.
void Join(JB2RunArray* a, uint32_t q, uint32_t s)
{
    const uint32_t rq = Root(a, q), rs = Root(a, s);
    if (rq == rs)
        return;
    const uint32_t root = rq < rs ? rq : rs;
    a->runs[rq].parent = a->runs[rs].parent = root;
    a->runs[q].parent = a->runs[s].parent = root;
    --a->components;
}

// The runs of line `upper` from u on against those of the next line from s on.
void JoinLines(JB2RunArray* a, uint32_t q, uint32_t qEnd, uint32_t s, uint32_t sEnd)
{
    while (q < qEnd && s < sEnd) {
        const JB2Run& upper = a->runs[q];
        const JB2Run& lower = a->runs[s];
        if (uint64_t(lower.last) + 1 >= upper.first && uint64_t(upper.last) + 1 >= lower.first)
            Join(a, q, s);
        if (upper.last < lower.last)
            ++q;
        else
            ++s;
    }
}

}  // namespace

JB2_Error JB2RunArrayCreate(JB2RunArray** out, JB2Memory* memory, uint32_t blockSize, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2RunArray>(memory);
    if (!*out)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate run array object!");
    (*out)->blockSize = blockSize ? blockSize : kJB2RunBlockSize;
    return cJB2_Error_OK;
}

JB2_Error JB2RunArrayAddLine(JB2RunArray* a, JB2Memory* memory, const uint8_t* line, uint32_t width,
                             uint32_t lineNumber, JB2Message* message)
{
    if (!a || !line || (a->count && a->runs[a->count - 1].line >= lineNumber))
        return JB2Fail(message, cJB2_Error_Internal, "Error adding line to run array!");
    // The line 64 pixels at a time, the first in the top bit; a run that
    // reaches the end of a word goes on into the next.
    const uint32_t bytes = (width + 7) / 8;
    bool inRun = false;
    uint32_t first = 0;
    for (uint32_t k = 0; 64 * uint64_t(k) < width; ++k) {
        uint64_t word = LineWord(line, bytes, k);
        if (width - 64 * k < 64)
            word &= ~(~0ull >> (width - 64 * k));  // nothing past the width
        uint32_t at = 0;                           // bits of the word done
        while (at < 64) {
            const uint64_t rest = ~0ull >> at;
            const uint64_t next = inRun ? ~word & rest : word & rest;
            if (!next)
                break;
            at = uint32_t(__builtin_clzll(next));
            if (!inRun) {
                first = 64 * k + at;
            } else if (Append(a, memory, first, 64 * k + at - 1, lineNumber) != cJB2_Error_OK) {
                return JB2Fail(message, cJB2_Error_Allocation_Failure, "Error adding line to run array!");
            }
            inRun = !inRun;
        }
    }
    if (inRun && Append(a, memory, first, width - 1, lineNumber) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Error adding line to run array!");
    return cJB2_Error_OK;
}

JB2_Error JB2RunArrayConnect(JB2RunArray* a, JB2Message* message)
{
    if (!a)
        return JB2Fail(message, cJB2_Error_Internal, "Error connecting runs in run array!");
    uint32_t start = 0;  // first run of the current line
    uint32_t previous = 0, previousEnd = 0;
    while (start < a->count) {
        uint32_t end = start;
        while (end < a->count && a->runs[end].line == a->runs[start].line)
            ++end;
        if (previousEnd > previous && a->runs[previous].line + 1 == a->runs[start].line)
            JoinLines(a, previous, previousEnd, start, end);
        previous = start;
        previousEnd = end;
        start = end;
    }
    // Roots come before their members, so one walk in creation order labels all.
    uint32_t label = 0;
    for (uint32_t i = 0; i < a->count; ++i) {
        JB2Run& run = a->runs[i];
        run.parent = Root(a, i);
        run.label = run.parent == i ? label++ : a->runs[run.parent].label;
    }
    return cJB2_Error_OK;
}

JB2_Error JB2RunArrayGet(const JB2RunArray* a, uint32_t index, const JB2Run** run)
{
    if (!a || !run)
        return cJB2_Error_Internal;
    if (index >= a->count)
        return cJB2_Error_Invalid_Index;
    *run = &a->runs[index];
    return cJB2_Error_OK;
}

JB2_Error JB2RunArrayFree(JB2RunArray** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2RunArray* a = *holder;
    if (a->runs)
        JB2MemoryFree(memory, &a->runs);
    *holder = nullptr;
    return JB2MemoryFree(memory, &a);
}

}  // namespace ZAV
