#include "jbig2codec/symbol/JB2Symbol.h"

#include <algorithm>
#include <cstring>

#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

constexpr uint32_t kNewOrdinal = 0xFFFFFFFFu;
// Spare bytes behind each symbol row.
constexpr uint32_t kSymbolRowSpare = 2;

void FreeSymbol(JB2Symbol** symbol, JB2Memory* memory)
{
    if ((*symbol)->bitmap)
        JB2MemoryFree(memory, &(*symbol)->bitmap);
    JB2MemoryFree(memory, symbol);
}

}  // namespace

JB2_Error JB2SymbolSetWidth(JB2Symbol* s, uint32_t width)
{
    if (!s || width == 0)
        return cJB2_Error_Internal;
    if (s->width != width)
        s->bitmapValid = 0;
    s->width = width;
    s->stride = uint32_t((uint64_t(width) + 7) / 8 + kSymbolRowSpare);
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolSetHeight(JB2Symbol* s, uint32_t height)
{
    if (!s || height == 0)
        return cJB2_Error_Internal;
    if (s->height != height)
        s->bitmapValid = 0;
    s->height = height;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolAllocateBitmap(JB2Symbol* s, JB2Memory* memory)
{
    if (!s || s->width == 0 || s->height == 0)
        return cJB2_Error_Internal;
    if (s->bitmap)
        JB2MemoryFree(memory, &s->bitmap);
    s->bitmapValid = 0;
    s->bitmap = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(s->stride) * s->height);
    if (!s->bitmap)
        return cJB2_Error_Allocation_Failure;
    s->bitmapValid = 1;
    return cJB2_Error_OK;
}

uint8_t* JB2SymbolRow(const JB2Symbol* s, uint32_t y)
{
    if (!s || !s->bitmapValid || y >= s->height)
        return nullptr;
    return s->bitmap + uint64_t(y) * s->stride;
}

JB2_Error JB2SymbolCopyBitmap(JB2Symbol* s, JB2Memory* memory, const JB2BitmapView* bitmap)
{
    if (!s || !bitmap || !bitmap->rows || bitmap->stride < (uint64_t(bitmap->width) + 7) / 8)
        return cJB2_Error_Internal;
    JB2_Error status = JB2SymbolSetWidth(s, bitmap->width);
    if (status == cJB2_Error_OK)
        status = JB2SymbolSetHeight(s, bitmap->height);
    if (status == cJB2_Error_OK)
        status = JB2SymbolAllocateBitmap(s, memory);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t bytes = (s->width + 7) / 8;
    const uint8_t lastMask = s->width % 8 ? uint8_t(0xFF << (8 - s->width % 8)) : 0xFF;
    for (uint32_t y = 0; y < s->height; ++y) {
        uint8_t* row = JB2SymbolRow(s, y);
        std::memcpy(row, bitmap->rows + uint64_t(y) * bitmap->stride, bytes);
        row[bytes - 1] &= lastMask;
    }
    return cJB2_Error_OK;
}

JB2BitmapView JB2SymbolView(const JB2Symbol* s)
{
    return JB2BitmapView{s->bitmap, s->width, s->height, s->stride};
}

JB2_Error JB2SymbolAddUse(JB2Symbol* s)
{
    if (!s || s->useCount == UINT32_MAX)
        return cJB2_Error_Internal;
    ++s->useCount;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolRemoveUse(JB2Symbol* s)
{
    if (!s || s->useCount == 0)
        return cJB2_Error_Internal;
    --s->useCount;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolArrayCreate(JB2SymbolArray** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2SymbolArray>(memory);
    if (!*out) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate symbol array object!");
    }
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolArrayAdd(JB2SymbolArray* a, JB2Memory* memory, JB2Symbol** symbol, JB2Message* message)
{
    if (!a || !symbol)
        return cJB2_Error_Internal;
    *symbol = nullptr;
    if (a->count == a->capacity) {
        // Doubling: a dictionary may hold up to a million symbols.
        const uint64_t grown = uint64_t(a->capacity) + std::max<uint64_t>(a->capacity, kJB2SymbolArrayGrowth);
        void* items = grown > UINT32_MAX ? nullptr
                                         : JB2MemoryGrow(memory, a->items, uint64_t(a->capacity) * sizeof(JB2Symbol*),
                                                         grown * sizeof(JB2Symbol*));
        if (!items) {
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to increase size of symbol array object!");
        }
        a->items = static_cast<JB2Symbol**>(items);
        a->capacity = uint32_t(grown);
    }
    JB2Symbol* s = JB2MemoryNew<JB2Symbol>(memory);
    if (!s) {
        JB2MessageError(message, "Unable to allocate symbol object!");
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to increase size of symbol array!");
    }
    s->ordinal = kNewOrdinal;
    a->items[a->count++] = s;
    *symbol = s;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolArrayGet(const JB2SymbolArray* a, uint32_t index, JB2Symbol** symbol)
{
    if (!a || !symbol || index >= a->count)
        return cJB2_Error_Internal;
    *symbol = a->items[index];
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolArrayRemove(JB2SymbolArray* a, uint32_t index, JB2Memory* memory)
{
    if (!a || index >= a->count || a->items[index]->useCount != 0)
        return cJB2_Error_Internal;
    FreeSymbol(&a->items[index], memory);
    a->items[index] = a->items[a->count - 1];
    a->items[--a->count] = nullptr;
    return cJB2_Error_OK;
}

void JB2SymbolArraySortByOrdinal(JB2SymbolArray* a)
{
    if (a && a->count > 1)
        std::sort(a->items, a->items + a->count,
                  [](const JB2Symbol* x, const JB2Symbol* y) { return x->ordinal < y->ordinal; });
}

JB2_Error JB2SymbolArrayFree(JB2SymbolArray** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2SymbolArray* a = *holder;
    for (uint32_t i = 0; i < a->count; ++i)
        FreeSymbol(&a->items[i], memory);
    if (a->items)
        JB2MemoryFree(memory, &a->items);
    *holder = nullptr;
    return JB2MemoryFree(memory, &a);
}

}  // namespace ZAV
