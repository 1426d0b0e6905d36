#include "jbig2codec/symbol/JB2SymbolInstances.h"

#include <algorithm>

#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

JB2_Error Grow(JB2SymbolInstanceArray* a, JB2Memory* memory)
{
    // At least doubling: a page of tens of thousands of instances must not
    // copy the array once every few instances.
    const uint64_t grown = uint64_t(a->capacity) + std::max<uint64_t>(a->capacity, kJB2SymbolInstanceGrowth);
    void* entries = grown > UINT32_MAX
                        ? nullptr
                        : JB2MemoryGrow(memory, a->entries, uint64_t(a->capacity) * sizeof(JB2SymbolInstance),
                                        grown * sizeof(JB2SymbolInstance));
    if (!entries)
        return cJB2_Error_Allocation_Failure;
    a->entries = static_cast<JB2SymbolInstance*>(entries);
    a->capacity = uint32_t(grown);
    return cJB2_Error_OK;
}

// Rounds towards minus infinity, as strips do.
int32_t Band(int32_t y)
{
    return y >= 0 ? y / 8 : -((-int64_t(y) + 7) / 8);
}

}  // namespace

JB2_Error JB2SymbolInstanceArrayCreate(JB2SymbolInstanceArray** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2SymbolInstanceArray>(memory);
    if (!*out)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate symbol instance array object!");
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolInstanceArrayFree(JB2SymbolInstanceArray** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2SymbolInstanceArray* a = *holder;
    if (a->entries)
        JB2MemoryFree(memory, &a->entries);
    *holder = nullptr;
    return JB2MemoryFree(memory, &a);
}

JB2SymbolInstance* JB2SymbolInstanceArrayGet(const JB2SymbolInstanceArray* a, uint32_t index)
{
    return a && index < a->count ? &a->entries[index] : nullptr;
}

JB2_Error JB2SymbolInstanceArrayAdd(JB2SymbolInstanceArray* a, JB2Symbol* symbol, const JB2BitmapView* shape, int32_t x,
                                    int32_t y, uint8_t refine, JB2Memory* memory, JB2Message* message)
{
    if (!a || !symbol || !shape || refine > 1)
        return cJB2_Error_Internal;
    if (a->count == a->capacity && Grow(a, memory) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to increase size of symbol instance array!");
    JB2_Error status = JB2SymbolAddUse(symbol);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure adding symbol to symbol instance array!");
    JB2SymbolInstance& entry = a->entries[a->count++];
    entry = JB2SymbolInstance{};
    entry.x = x;
    entry.y = y;
    entry.refine = refine;
    entry.shape = *shape;
    entry.symbol = symbol;
    return cJB2_Error_OK;
}

uint32_t JB2SymbolInstanceWidth(const JB2SymbolInstance* instance)
{
    return instance->refine ? instance->shape.width : instance->symbol->width;
}

uint32_t JB2SymbolInstanceHeight(const JB2SymbolInstance* instance)
{
    return instance->refine ? instance->shape.height : instance->symbol->height;
}

JB2_Error JB2SymbolInstanceArrayPrune(JB2SymbolInstanceArray* a)
{
    if (!a)
        return cJB2_Error_Internal;
    uint32_t i = 0;
    while (i < a->count) {
        JB2SymbolInstance& entry = a->entries[i];
        JB2Symbol* symbol = entry.symbol;
        if (symbol->useCount >= 2) {
            ++i;
            continue;
        }
        if (symbol->useCount)
            JB2SymbolRemoveUse(symbol);
        if (symbol->reference) {
            // The reference keeps the use the refined symbol gave it.
            entry.symbol = symbol->reference;
            entry.refine = 1;
            symbol->reference = nullptr;
            ++i;
            continue;
        }
        // The last instance takes this place and is looked at next.
        entry = a->entries[--a->count];
    }
    return cJB2_Error_OK;
}

void JB2SymbolInstanceArraySort(JB2SymbolInstanceArray* a)
{
    if (!a || a->count < 2)
        return;
    std::sort(a->entries, a->entries + a->count, [](const JB2SymbolInstance& p, const JB2SymbolInstance& q) {
        const int32_t bp = Band(p.y), bq = Band(q.y);
        if (bp != bq)
            return bp < bq;
        if (p.x != q.x)
            return p.x < q.x;
        return p.y < q.y;
    });
}

}  // namespace ZAV
