#include "jbig2codec/match/JB2Components.h"

#include <algorithm>
#include <cstring>

#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Spare bytes behind each component row, as symbols have.
constexpr uint32_t kRowSpare = 2;

JB2_Error Boxes(JB2ComponentArray* a, const JB2RunArray* runs)
{
    for (uint32_t i = 0; i < a->count; ++i) {
        a->items[i].left = a->items[i].top = UINT32_MAX;
    }
    for (uint32_t i = 0; i < runs->count; ++i) {
        const JB2Run& run = runs->runs[i];
        if (run.label >= a->count)
            return cJB2_Error_Internal;
        JB2Component& c = a->items[run.label];
        c.left = std::min(c.left, run.first);
        c.right = std::max(c.right, run.last);
        c.top = std::min(c.top, run.line);
        c.bottom = std::max(c.bottom, run.line);
        c.pixels += run.last - run.first + 1;
    }
    for (uint32_t i = 0; i < a->count; ++i) {
        JB2Component& c = a->items[i];
        c.width = c.right - c.left + 1;
        c.height = c.bottom - c.top + 1;
        c.stride = (c.width + 7) / 8 + kRowSpare;
    }
    return cJB2_Error_OK;
}

bool Fit(const JB2Component& c)
{
    return c.width <= kJB2SymbolMaxSide && c.height <= kJB2SymbolMaxSide && c.pixels >= kJB2SymbolMinPixels &&
           c.pixels <= kJB2SymbolMaxPixels;
}

JB2_Error Bitmaps(JB2ComponentArray* a, JB2Memory* memory, bool fitness)
{
    for (uint32_t i = 0; i < a->count; ++i) {
        JB2Component& c = a->items[i];
        if (fitness && !Fit(c))
            continue;
        c.bitmap = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(c.stride) * c.height);
        if (!c.bitmap)
            return cJB2_Error_Allocation_Failure;
    }
    return cJB2_Error_OK;
}

void Render(JB2ComponentArray* a, const JB2RunArray* runs)
{
    for (uint32_t i = 0; i < runs->count; ++i) {
        const JB2Run& run = runs->runs[i];
        JB2Component& c = a->items[run.label];
        if (c.bitmap)
            JB2RowSetRun(c.bitmap + uint64_t(run.line - c.top) * c.stride, run.first - c.left,
                         run.last - run.first + 1);
    }
}

void FreeParts(JB2Component& c, JB2Memory* memory)
{
    JB2ComponentDropWords(&c, memory);
    if (c.bitmap)
        JB2MemoryFree(memory, &c.bitmap);
}

// One run of a row for the region count: columns first to last of one colour.
struct ShapeRun {
    uint32_t first;
    uint32_t last;
    uint32_t parent;  // union-find over the runs of the component
    uint8_t black;
    uint8_t border;  // touches the box's edge
};

// Below this many runs the count works on the stack.
constexpr uint32_t kStackRuns = 2048;

uint32_t Root(ShapeRun* runs, uint32_t r)
{
    while (runs[r].parent != r) {
        runs[r].parent = runs[runs[r].parent].parent;
        r = runs[r].parent;
    }
    return r;
}

void Join(ShapeRun* runs, uint32_t a, uint32_t b)
{
    a = Root(runs, a);
    b = Root(runs, b);
    if (a < b)
        runs[b].parent = a;
    else if (b < a)
        runs[a].parent = b;
}

// Pixels 64 k to 64 k + 63 of a row, the first in the top bit.
inline uint64_t RowWord(const uint8_t* row, uint32_t bytes, uint32_t k)
{
    uint64_t word = 0;
    const uint32_t end = std::min(bytes, 8 * k + 8);
    for (uint32_t i = 8 * k; i < end; ++i)
        word |= uint64_t(row[i]) << (56 - 8 * (i % 8));
    return word;
}

// The changes of colour in word k of a row: bit set where a pixel differs
// from the one before it; `last` is the pixel before the word (the first
// pixel itself for k = 0). Columns from `width` on are left out.
inline uint64_t Changes(uint64_t word, uint64_t last, uint32_t k, uint32_t width)
{
    uint64_t changes = word ^ ((word >> 1) | (last << 63));
    if (64 * (k + 1) > width)
        changes &= ~(~0ull >> (width - 64 * k));
    return changes;
}

inline uint32_t Ones(uint64_t v)
{
    uint32_t n = 0;
    for (; v; v &= v - 1)
        ++n;
    return n;
}

// Runs in a row: one, and one more for each change of colour.
uint32_t RowRunCount(const uint8_t* row, uint32_t width)
{
    const uint32_t bytes = (width + 7) / 8;
    uint32_t count = 1;
    uint64_t last = row[0] >> 7;
    for (uint32_t k = 0; 64 * k < width; ++k) {
        const uint64_t word = RowWord(row, bytes, k);
        count += Ones(Changes(word, last, k, width));
        last = word & 1;
    }
    return count;
}

// Appends the runs of row y at `at`; returns the number appended.
uint32_t RowRuns(const JB2Component* c, uint32_t y, ShapeRun* runs, uint32_t at)
{
    const uint8_t* row = JB2ComponentRow(c, y);
    const uint32_t bytes = (c->width + 7) / 8;
    const uint8_t edgeRow = y == 0 || y + 1 == c->height;
    uint32_t n = 0, first = 0;
    uint64_t last = row[0] >> 7;
    uint8_t colour = uint8_t(last);
    for (uint32_t k = 0; 64 * k < c->width; ++k) {
        const uint64_t word = RowWord(row, bytes, k);
        uint64_t changes = Changes(word, last, k, c->width);
        last = word & 1;
        while (changes) {
            const uint32_t position = uint32_t(__builtin_clzll(changes));
            changes ^= 1ull << (63 - position);
            const uint32_t x = 64 * k + position;
            const uint32_t index = at + n++;
            runs[index] = ShapeRun{first, x - 1, index, colour, uint8_t(edgeRow || first == 0)};
            first = x;
            colour ^= 1;
        }
    }
    const uint32_t index = at + n++;
    runs[index] = ShapeRun{first, c->width - 1, index, colour, 1};
    return n;
}

// Joins the runs of one colour in two consecutive rows that share a column.
void JoinRows(ShapeRun* runs, uint32_t above, uint32_t aboveEnd, uint32_t below, uint32_t belowEnd)
{
    while (above < aboveEnd && below < belowEnd) {
        const ShapeRun& a = runs[above];
        const ShapeRun& b = runs[below];
        if (a.black == b.black)
            Join(runs, above, below);
        if (a.last <= b.last)
            ++above;
        if (b.last <= a.last)
            ++below;
    }
}

void CountShape(const JB2Component* c, ShapeRun* runs, JB2ShapeCounts* counts)
{
    uint32_t total = 0, previous = 0;
    for (uint32_t y = 0; y < c->height; ++y) {
        const uint32_t start = total;
        total += RowRuns(c, y, runs, start);
        if (y > 0)
            JoinRows(runs, previous, start, start, total);
        previous = start;
    }
    for (uint32_t r = 0; r < total; ++r)
        if (runs[r].border && !runs[r].black)
            runs[Root(runs, r)].border = 1;
    *counts = JB2ShapeCounts{1, 0, 0};
    for (uint32_t r = 0; r < total; ++r) {
        if (runs[r].parent != r)
            continue;
        if (runs[r].black) {
            ++counts->blackParts;
        } else {
            ++counts->holesProper;
            counts->whiteRegions += !runs[r].border;
        }
    }
}

}  // namespace

JB2_Error JB2ComponentArrayCreate(JB2ComponentArray** out, JB2Memory* memory, const JB2RunArray* runs, bool fitness,
                                  JB2Message* message)
{
    if (!out || !runs)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* a = JB2MemoryNew<JB2ComponentArray>(memory);
    JB2Component* items = a ? JB2MemoryAllocArray<JB2Component>(memory, uint64_t(runs->components) + 1) : nullptr;
    if (!items) {
        if (a)
            JB2MemoryFree(memory, &a);
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Failure allocating bitmaps for component array object!");
    }
    a->items = items;
    a->count = runs->components;
    JB2_Error status = Boxes(a, runs);
    if (status != cJB2_Error_OK) {
        JB2ComponentArrayFree(&a, memory);
        return JB2Fail(message, status, "Failure calculating bounding boxes for component array object!");
    }
    status = Bitmaps(a, memory, fitness);
    if (status != cJB2_Error_OK) {
        JB2ComponentArrayFree(&a, memory);
        return JB2Fail(message, status, "Failure allocating bitmaps for component array object!");
    }
    Render(a, runs);
    *out = a;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentArrayCompact(JB2ComponentArray* a, JB2Memory* memory, uint32_t* removed)
{
    if (!a || !removed)
        return cJB2_Error_Internal;
    uint32_t kept = 0;
    for (uint32_t i = 0; i < a->count; ++i) {
        if (a->items[i].bitmap)
            a->items[kept++] = a->items[i];
        else
            FreeParts(a->items[i], memory);
    }
    *removed = a->count - kept;
    a->count = kept;
    std::sort(a->items, a->items + a->count, [](const JB2Component& p, const JB2Component& q) {
        return p.height != q.height ? p.height < q.height : p.width < q.width;
    });
    return cJB2_Error_OK;
}

JB2Component* JB2ComponentArrayGet(const JB2ComponentArray* a, uint32_t index)
{
    return a && index < a->count ? &a->items[index] : nullptr;
}

JB2_Error JB2ComponentArrayFree(JB2ComponentArray** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2ComponentArray* a = *holder;
    for (uint32_t i = 0; i < a->count; ++i)
        FreeParts(a->items[i], memory);
    if (a->items)
        JB2MemoryFree(memory, &a->items);
    *holder = nullptr;
    return JB2MemoryFree(memory, &a);
}

JB2BitmapView JB2ComponentView(const JB2Component* c)
{
    return JB2BitmapView{c->bitmap, c->width, c->height, c->stride};
}

JB2_Error JB2ComponentWords(JB2Component* c, JB2Memory* memory)
{
    if (!c || !c->bitmap)
        return cJB2_Error_Internal;
    if (c->words)
        return cJB2_Error_OK;
    c->wordStride = (c->width + 1 + 63) / 64;
    c->words = JB2MemoryAllocArray<uint64_t>(memory, uint64_t(c->wordStride) * c->height);
    if (!c->words)
        return cJB2_Error_Allocation_Failure;
    const uint32_t bytes = (c->width + 7) / 8;
    for (uint32_t y = 0; y < c->height; ++y) {
        const uint8_t* row = JB2ComponentRow(c, y);
        uint64_t* words = c->words + uint64_t(y) * c->wordStride;
        for (uint32_t i = 0; i < bytes; ++i)
            words[i / 8] |= uint64_t(row[i]) << (56 - 8 * (i % 8));
    }
    return cJB2_Error_OK;
}

void JB2ComponentDropWords(JB2Component* c, JB2Memory* memory)
{
    if (c && c->words)
        JB2MemoryFree(memory, &c->words);
}

JB2_Error JB2ComponentShapeCounts(const JB2Component* c, JB2Memory* memory, JB2ShapeCounts* counts)
{
    if (!c || !c->bitmap || !counts || c->width == 0 || c->height == 0)
        return cJB2_Error_Internal;
    uint64_t total = 0;
    for (uint32_t y = 0; y < c->height; ++y)
        total += RowRunCount(JB2ComponentRow(c, y), c->width);
    ShapeRun local[kStackRuns];
    ShapeRun* runs = total <= kStackRuns ? local : JB2MemoryAllocArray<ShapeRun>(memory, total);
    if (!runs)
        return cJB2_Error_Allocation_Failure;
    CountShape(c, runs, counts);
    return runs == local ? cJB2_Error_OK : JB2MemoryFree(memory, &runs);
}

JB2_Error JB2ComponentRecountHoles(JB2Component* c, JB2Memory* memory, uint32_t* holes)
{
    JB2ShapeCounts counts = {};
    JB2_Error status = holes ? JB2ComponentShapeCounts(c, memory, &counts) : cJB2_Error_Internal;
    if (status == cJB2_Error_OK) {
        c->holes = *holes = counts.whiteRegions;
        c->shape = counts;
        c->shapeKnown = 1;
    }
    return status;
}

JB2_Error JB2ComponentKnownShapeCounts(JB2Component* c, JB2Memory* memory, JB2ShapeCounts* counts)
{
    if (!c || !counts)
        return cJB2_Error_Internal;
    if (c->shapeKnown) {
        *counts = c->shape;
        return cJB2_Error_OK;
    }
    return JB2ComponentShapeCounts(c, memory, counts);
}

void JB2ComponentBitmapChanging(JB2Component* c, JB2Memory* memory)
{
    if (!c)
        return;
    JB2ComponentDropWords(c, memory);
    c->shapeKnown = 0;
}

JB2_Error JB2ComponentHoleCount(JB2Component* c, JB2Memory* memory, uint32_t* holes)
{
    if (!c || !holes)
        return cJB2_Error_Internal;
    if (c->holes) {
        *holes = c->holes;
        return cJB2_Error_OK;
    }
    return JB2ComponentRecountHoles(c, memory, holes);
}

JB2_Error JB2ComponentHolesProper(JB2Component* c, JB2Memory* memory, uint32_t* holes)
{
    JB2ShapeCounts counts = {};
    JB2_Error status = holes ? JB2ComponentShapeCounts(c, memory, &counts) : cJB2_Error_Internal;
    if (status == cJB2_Error_OK)
        *holes = counts.holesProper;
    return status;
}

JB2_Error JB2ComponentBlackParts(JB2Component* c, JB2Memory* memory, uint32_t* parts)
{
    JB2ShapeCounts counts = {};
    JB2_Error status = parts ? JB2ComponentShapeCounts(c, memory, &counts) : cJB2_Error_Internal;
    if (status == cJB2_Error_OK)
        *parts = counts.blackParts;
    return status;
}

}  // namespace ZAV
