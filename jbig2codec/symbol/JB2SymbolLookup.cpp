#include "jbig2codec/symbol/JB2SymbolLookup.h"

#include <algorithm>
#include <functional>

#include "jbig2codec/symbol/JB2SymbolDictionary.h"

namespace ZAV {

namespace {

bool Before(const JB2SymbolLookupEntry& a, const JB2SymbolLookupEntry& b)
{
    if (a.symbol != b.symbol)
        return std::less<const JB2Symbol*>()(a.symbol, b.symbol);
    return a.index < b.index;
}

}  // namespace

JB2_Error JB2SymbolLookupStart(JB2SymbolLookup* l, JB2Memory* memory, JB2SegmentHeader* segment,
                               const JB2SymbolArray* added, JB2Message* message)
{
    if (!l || !segment)
        return cJB2_Error_Internal;
    *l = JB2SymbolLookup{};
    JB2_Error status = JB2ReferredSymbolCount(segment, &l->inputCount, message);
    if (status != cJB2_Error_OK)
        return status;
    const uint64_t total = uint64_t(l->inputCount) + (added ? added->count : 0);
    // One more than needed, so that an empty set still allocates.
    l->inputs = JB2MemoryAllocArray<JB2Symbol*>(memory, uint64_t(l->inputCount) + 1);
    l->entries = JB2MemoryAllocArray<JB2SymbolLookupEntry>(memory, total + 1);
    if (!l->inputs || !l->entries) {
        JB2SymbolLookupEnd(l, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to get dictionary symbol!");
    }
    status = JB2ReferredSymbols(segment, l->inputs, l->inputCount);
    if (status != cJB2_Error_OK) {
        JB2SymbolLookupEnd(l, memory);
        return status;
    }
    for (uint32_t i = 0; i < l->inputCount; ++i)
        l->entries[l->count++] = JB2SymbolLookupEntry{l->inputs[i], i};
    for (uint32_t i = 0; added && i < added->count; ++i)
        l->entries[l->count++] = JB2SymbolLookupEntry{added->items[i], l->inputCount + i};
    std::sort(l->entries, l->entries + l->count, Before);
    return cJB2_Error_OK;
}

int64_t JB2SymbolLookupFind(const JB2SymbolLookup* l, const JB2Symbol* symbol)
{
    if (!l || !symbol || !l->entries)
        return -1;
    const JB2SymbolLookupEntry key = {symbol, 0};
    const JB2SymbolLookupEntry* begin = l->entries;
    const JB2SymbolLookupEntry* end = begin + l->count;
    const JB2SymbolLookupEntry* found = std::lower_bound(begin, end, key, Before);
    return found != end && found->symbol == symbol ? int64_t(found->index) : -1;
}

void JB2SymbolLookupEnd(JB2SymbolLookup* l, JB2Memory* memory)
{
    if (!l)
        return;
    if (l->inputs)
        JB2MemoryFree(memory, &l->inputs);
    if (l->entries)
        JB2MemoryFree(memory, &l->entries);
    *l = JB2SymbolLookup{};
}

}  // namespace ZAV
