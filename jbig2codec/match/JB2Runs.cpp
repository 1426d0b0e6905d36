#include "jbig2codec/match/JB2Runs.h"

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

inline bool Black(const uint8_t* line, uint32_t x)
{
    return (line[x / 8] >> (7 - x % 8)) & 1;
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
    uint32_t x = 0;
    while (x < width) {
        // Whole white bytes are passed at once.
        if (x % 8 == 0 && line[x / 8] == 0) {
            x += 8;
            continue;
        }
        if (!Black(line, x)) {
            ++x;
            continue;
        }
        const uint32_t first = x;
        while (x < width && Black(line, x))
            ++x;
        if (Append(a, memory, first, x - 1, lineNumber) != cJB2_Error_OK)
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Error adding line to run array!");
    }
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
