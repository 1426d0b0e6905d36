#include "jbig2codec/match/JB2Components.h"

#include <algorithm>
#include <cstring>

#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Spare bytes behind each component row, as symbols have.
constexpr uint32_t kRowSpare = 2;
constexpr uint8_t kWhite = 0x00;
constexpr uint8_t kBlack = 0xFF;

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
    if (c.bitmap)
        JB2MemoryFree(memory, &c.bitmap);
    if (c.fillMap)
        JB2MemoryFree(memory, &c.fillMap);
    if (c.stack) {
        if (c.stack->positions)
            JB2MemoryFree(memory, &c.stack->positions);
        if (c.stack->filled)
            JB2MemoryFree(memory, &c.stack->filled);
        JB2MemoryFree(memory, &c.stack);
    }
}

JB2_Error PrepareFill(JB2Component* c, JB2Memory* memory)
{
    const uint64_t size = (uint64_t(c->height) + 2) * (uint64_t(c->width) + 2);
    if (!c->fillMap)
        c->fillMap = JB2MemoryAllocArray<uint8_t>(memory, size);
    if (!c->stack) {
        c->stack = JB2MemoryNew<JB2FloodStack>(memory);
        if (c->stack) {
            c->stack->positions = JB2MemoryAllocArray<uint32_t>(memory, size);
            c->stack->capacity = c->stack->positions ? uint32_t(size) : 0;
        }
    }
    return c->fillMap && c->stack && c->stack->positions ? cJB2_Error_OK : cJB2_Error_Allocation_Failure;
}

// The fill map: the frame, and the component inside it (black 0xFF, white 0x00).
void FillMap(const JB2Component* c, uint8_t frame)
{
    const uint32_t w = c->width + 2;
    std::memset(c->fillMap, frame, uint64_t(w) * (c->height + 2));
    for (uint32_t y = 0; y < c->height; ++y) {
        const uint8_t* row = JB2ComponentRow(c, y);
        uint8_t* map = c->fillMap + uint64_t(y + 1) * w + 1;
        for (uint32_t x = 0; x < c->width; ++x)
            map[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? kBlack : kWhite;
    }
}

// Fills the 4-connected region of `value` at start with the other value.
JB2_Error Flood(JB2Component* c, uint32_t start, uint8_t value)
{
    JB2FloodStack* s = c->stack;
    const uint32_t w = c->width + 2;
    const uint32_t size = w * (c->height + 2);
    const uint8_t fill = uint8_t(~value);
    s->count = 0;
    c->fillMap[start] = fill;
    s->positions[s->count++] = start;
    while (s->count) {
        const uint32_t p = s->positions[--s->count];
        const uint32_t neighbours[4] = {p + 1, p - 1, p + w, p - w};
        for (uint32_t n : neighbours) {
            if (n >= size || c->fillMap[n] != value)
                continue;
            if (s->count == s->capacity)
                return cJB2_Error_Internal;
            c->fillMap[n] = fill;
            if (s->filled)
                s->filled[s->filledCount++] = n;
            s->positions[s->count++] = n;
        }
    }
    return cJB2_Error_OK;
}

// Regions of `value` in the fill map made with the frame.
JB2_Error CountRegions(JB2Component* c, JB2Memory* memory, uint8_t frame, uint8_t value, uint32_t* count)
{
    *count = 0;
    if (!c || !c->bitmap)
        return cJB2_Error_Internal;
    JB2_Error status = PrepareFill(c, memory);
    if (status != cJB2_Error_OK)
        return status;
    FillMap(c, frame);
    const uint32_t size = (c->width + 2) * (c->height + 2);
    for (uint32_t p = 0; p < size && status == cJB2_Error_OK; ++p)
        if (c->fillMap[p] == value) {
            ++*count;
            status = Flood(c, p, value);
        }
    return status;
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

JB2_Error JB2ComponentRecountHoles(JB2Component* c, JB2Memory* memory, uint32_t* holes)
{
    if (!holes)
        return cJB2_Error_Internal;
    JB2_Error status = CountRegions(c, memory, kWhite, kWhite, holes);
    if (status == cJB2_Error_OK)
        c->holes = *holes;
    return status;
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
    return holes ? CountRegions(c, memory, kBlack, kWhite, holes) : cJB2_Error_Internal;
}

JB2_Error JB2ComponentBlackParts(JB2Component* c, JB2Memory* memory, uint32_t* parts)
{
    return parts ? CountRegions(c, memory, kWhite, kBlack, parts) : cJB2_Error_Internal;
}

}  // namespace ZAV
