#include "jbig2codec/io/JB2Cache.h"

#include <cstring>

namespace ZAV {

namespace {

JB2_Error StoreGrow(JB2BlockStore* store, JB2Memory* memory)
{
    const uint64_t oldCount = store->slotCount;
    const uint64_t newCount = oldCount + kJB2CacheGrowth;
    if (newCount > UINT32_MAX)
        return cJB2_Error_Allocation_Failure;
    auto* slots = static_cast<uint8_t**>(
        JB2MemoryGrow(memory, store->slots, oldCount * sizeof(uint8_t*), newCount * sizeof(uint8_t*)));
    if (!slots)
        return cJB2_Error_Allocation_Failure;
    store->slots = slots;
    auto* freeList = static_cast<uint32_t*>(
        JB2MemoryGrow(memory, store->freeList, oldCount * sizeof(uint32_t), newCount * sizeof(uint32_t)));
    if (!freeList)
        return cJB2_Error_Allocation_Failure;
    store->freeList = freeList;
    store->slotCount = static_cast<uint32_t>(newCount);
    // Highest index first, so that slots are taken from the lowest.
    for (uint64_t slot = newCount; slot-- > oldCount;)
        store->freeList[store->freeCount++] = static_cast<uint32_t>(slot);
    return cJB2_Error_OK;
}

JB2_Error StoreTake(JB2BlockStore* store, JB2Memory* memory, uint32_t* slotOut)
{
    if (store->freeCount == 0) {
        JB2_Error status = StoreGrow(store, memory);
        if (status != cJB2_Error_OK)
            return status;
    }
    const uint32_t slot = store->freeList[store->freeCount - 1];
    if (!store->slots[slot]) {
        store->slots[slot] = static_cast<uint8_t*>(JB2MemoryAlloc(memory, store->slotSize));
        if (!store->slots[slot])
            return cJB2_Error_Allocation_Failure;
    } else {
        std::memset(store->slots[slot], 0, store->slotSize);
    }
    --store->freeCount;
    *slotOut = slot;
    return cJB2_Error_OK;
}

void StoreGiveBack(JB2BlockStore* store, uint32_t slot)
{
    if (store && slot < store->slotCount && store->freeCount < store->slotCount)
        store->freeList[store->freeCount++] = slot;
}

uint8_t* BlockAt(const JB2Cache* cache, uint32_t index)
{
    if (index >= cache->slotCount)
        return nullptr;
    if (cache->style == cJB2_Cache_Memory_Blocks)
        return cache->blocks[index];
    const uint32_t held = cache->slotIndex[index];
    return held ? cache->store->slots[held - 1] : nullptr;
}

JB2_Error TableGrow(JB2Cache* cache, JB2Memory* memory, uint32_t index)
{
    if (index < cache->slotCount)
        return cJB2_Error_OK;
    const uint64_t oldCount = cache->slotCount;
    const uint64_t newCount = (static_cast<uint64_t>(index) / kJB2CacheGrowth + 1) * kJB2CacheGrowth;
    if (cache->style == cJB2_Cache_Memory_Blocks) {
        auto* blocks = static_cast<uint8_t**>(
            JB2MemoryGrow(memory, cache->blocks, oldCount * sizeof(uint8_t*), newCount * sizeof(uint8_t*)));
        if (!blocks)
            return cJB2_Error_Allocation_Failure;
        cache->blocks = blocks;
    } else {
        auto* slots = static_cast<uint32_t*>(
            JB2MemoryGrow(memory, cache->slotIndex, oldCount * sizeof(uint32_t), newCount * sizeof(uint32_t)));
        if (!slots)
            return cJB2_Error_Allocation_Failure;
        cache->slotIndex = slots;
    }
    cache->slotCount = static_cast<uint32_t>(newCount);
    return cJB2_Error_OK;
}

JB2_Error TakeBlock(JB2Cache* cache, JB2Memory* memory, uint32_t index, uint8_t** block)
{
    if (cache->style == cJB2_Cache_Memory_Blocks) {
        cache->blocks[index] = static_cast<uint8_t*>(JB2MemoryAlloc(memory, cache->blockSize));
        if (!cache->blocks[index])
            return cJB2_Error_Allocation_Failure;
        *block = cache->blocks[index];
        return cJB2_Error_OK;
    }
    uint32_t slot = 0;
    JB2_Error status = StoreTake(cache->store, memory, &slot);
    if (status != cJB2_Error_OK)
        return status;
    cache->slotIndex[index] = slot + 1;
    *block = cache->store->slots[slot];
    return cJB2_Error_OK;
}

void DropBlock(JB2Cache* cache, JB2Memory* memory, uint32_t index)
{
    if (index >= cache->slotCount)
        return;
    if (cache->style == cJB2_Cache_Memory_Blocks) {
        if (cache->blocks[index])
            JB2MemoryFree(memory, &cache->blocks[index]);
    } else if (cache->slotIndex[index]) {
        StoreGiveBack(cache->store, cache->slotIndex[index] - 1);
        cache->slotIndex[index] = 0;
    }
}

// Bytes of the data that block `index` may hold: limited by the location.
uint32_t BlockSpan(const JB2Cache* cache, uint32_t index)
{
    const uint64_t begin = static_cast<uint64_t>(index) * cache->blockSize;
    uint64_t span = cache->blockSize;
    if (cache->location->length != 0) {
        if (begin >= cache->location->length)
            return 0;
        if (cache->location->length - begin < span)
            span = cache->location->length - begin;
    }
    return static_cast<uint32_t>(span);
}

// True when the source has a byte at `absolute`.
bool DataFollows(const JB2Cache* cache, uint64_t absolute)
{
    uint8_t probe = 0;
    return absolute <= UINT32_MAX &&
           JB2ReadDataRead(cache->readData, &probe, static_cast<uint32_t>(absolute), 1) == 1;
}

// Brings block `index` into memory. A read-backed block that yields nothing
// is dropped again unless `keepEmpty` (a write will fill it).
JB2_Error LoadBlock(JB2Cache* cache, JB2Memory* memory, uint32_t index, bool keepEmpty, uint8_t** block)
{
    *block = BlockAt(cache, index);
    if (*block)
        return cJB2_Error_OK;
    const uint64_t begin = static_cast<uint64_t>(index) * cache->blockSize;
    if (!cache->readData && !keepEmpty && begin >= cache->highest)
        return cJB2_Error_OK;
    JB2_Error status = TakeBlock(cache, memory, index, block);
    if (status != cJB2_Error_OK)
        return status;
    if (!cache->readData)
        return cJB2_Error_OK;
    const uint64_t absolute = cache->location->start + begin;
    const uint32_t span = BlockSpan(cache, index);
    uint32_t got = 0;
    if (span != 0 && absolute <= UINT32_MAX)
        got = JB2ReadDataRead(cache->readData, *block, static_cast<uint32_t>(absolute), span);
    // A block read short is kept only when it is the last of the data: a
    // source that delivered less once (a pipe, a network) is read anew next
    // time instead of serving the unread rest as zeros.
    if (!keepEmpty && (got == 0 || (got < span && DataFollows(cache, absolute + got)))) {
        DropBlock(cache, memory, index);
        *block = nullptr;
        return cJB2_Error_OK;
    }
    if (begin + got > cache->highest)
        cache->highest = static_cast<uint32_t>(begin + got);
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2BlockStoreCreate(JB2BlockStore** out, JB2Memory* memory, uint32_t slotSize, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* store = JB2MemoryNew<JB2BlockStore>(memory);
    if (!store) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate cache object!");
    store->slotSize = slotSize ? slotSize : kJB2DefaultCacheBlockSize;
    *out = store;
    return cJB2_Error_OK;
}

JB2_Error JB2BlockStoreRelease(JB2BlockStore** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2BlockStore* store = *holder;
    for (uint32_t slot = 0; slot < store->slotCount; ++slot)
        if (store->slots[slot])
            JB2MemoryFree(memory, &store->slots[slot]);
    if (store->slots)
        JB2MemoryFree(memory, &store->slots);
    if (store->freeList)
        JB2MemoryFree(memory, &store->freeList);
    return JB2MemoryFree(memory, holder);
}

JB2_Error JB2CacheCreate(JB2Cache** out, JB2Memory* memory, JB2Location* location, JB2ReadData* readData,
                         uint32_t style, uint32_t blockSize, JB2BlockStore* store, JB2Message* message)
{
    if (!out || !location)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (style > cJB2_Cache_Block_Store)
        return cJB2_Error_Internal;
    if (style == cJB2_Cache_Block_Store && !store)
        return cJB2_Error_Invalid_Pointer;
    auto* cache = JB2MemoryNew<JB2Cache>(memory);
    if (!cache) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate cache object!");
    cache->style = style;
    cache->blockSize = style == cJB2_Cache_Block_Store ? store->slotSize
                                                      : (blockSize ? blockSize : kJB2DefaultCacheBlockSize);
    cache->store = style == cJB2_Cache_Block_Store ? store : nullptr;
    cache->location = location;
    JB2LocationAddReference(location);
    cache->readData = readData;
    JB2ReadDataAddReference(readData);
    *out = cache;
    return cJB2_Error_OK;
}

JB2_Error JB2CacheRelease(JB2Cache** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2Cache* cache = *holder;
    for (uint32_t index = 0; index < cache->slotCount; ++index)
        DropBlock(cache, memory, index);
    if (cache->blocks)
        JB2MemoryFree(memory, &cache->blocks);
    if (cache->slotIndex)
        JB2MemoryFree(memory, &cache->slotIndex);
    if (cache->location)
        JB2LocationRelease(&cache->location, memory);
    if (cache->readData)
        JB2ReadDataRelease(&cache->readData, memory);
    return JB2MemoryFree(memory, holder);
}

namespace {

// Before the block table grows to reach far beyond what is known, make sure
// the source really has data there.
bool SourceReaches(const JB2Cache* cache, uint64_t blockBegin)
{
    if (blockBegin <= cache->highest)
        return true;
    return cache->readData && DataFollows(cache, cache->location->start + blockBegin);
}

// Copies from block `index` what it holds of [*position, end); false when the
// data ends in or before it.
bool CopyFromBlock(const JB2Cache* cache, const uint8_t* block, uint32_t index, uint64_t end, uint64_t* position,
                   uint8_t* destination)
{
    const uint64_t blockBegin = static_cast<uint64_t>(index) * cache->blockSize;
    uint64_t validEnd = blockBegin + cache->blockSize;
    if (validEnd > cache->highest)
        validEnd = cache->highest;
    if (*position >= validEnd)
        return false;
    const uint64_t stop = validEnd < end ? validEnd : end;
    std::memcpy(destination, block + (*position - blockBegin), static_cast<size_t>(stop - *position));
    *position = stop;
    return validEnd == blockBegin + cache->blockSize;
}

}  // namespace

JB2_Error JB2CacheRead(JB2Cache* cache, JB2Memory* memory, uint32_t offset, uint32_t size, uint8_t* destination,
                       uint32_t* count)
{
    if (!cache || !count)
        return cJB2_Error_Internal;
    *count = 0;
    if (size == 0)
        return cJB2_Error_OK;
    if (!destination)
        return cJB2_Error_Internal;
    uint64_t end = static_cast<uint64_t>(offset) + size;
    const uint32_t length = cache->location->length;
    if (length != 0) {
        if (offset >= length)
            return cJB2_Error_OK;
        if (end > length)
            end = length;
    }
    if (cache->style == cJB2_Cache_Direct) {
        const uint64_t absolute = static_cast<uint64_t>(cache->location->start) + offset;
        if (absolute > UINT32_MAX)
            return cJB2_Error_OK;
        *count = JB2ReadDataRead(cache->readData, destination, static_cast<uint32_t>(absolute),
                                 static_cast<uint32_t>(end - offset));
        return cJB2_Error_OK;
    }
    uint64_t position = offset;
    bool more = true;
    while (more && position < end) {
        const uint32_t index = static_cast<uint32_t>(position / cache->blockSize);
        if (index >= cache->slotCount) {
            if (!SourceReaches(cache, static_cast<uint64_t>(index) * cache->blockSize))
                break;
            if (JB2_Error status = TableGrow(cache, memory, index))
                return status;
        }
        uint8_t* block = nullptr;
        if (JB2_Error status = LoadBlock(cache, memory, index, false, &block))
            return status;
        more = block && CopyFromBlock(cache, block, index, end, &position, destination + (position - offset));
    }
    *count = static_cast<uint32_t>(position - offset);
    return cJB2_Error_OK;
}

JB2_Error JB2CacheWrite(JB2Cache* cache, JB2Memory* memory, uint32_t offset, uint32_t size, const uint8_t* source,
                        uint32_t* count)
{
    if (!cache || !count)
        return cJB2_Error_Internal;
    *count = 0;
    if (cache->style == cJB2_Cache_Direct)
        return cJB2_Error_Invalid_Cache_Style;
    if (size == 0)
        return cJB2_Error_OK;
    if (!source)
        return cJB2_Error_Internal;
    const uint64_t end = static_cast<uint64_t>(offset) + size;
    if (end > UINT32_MAX)
        return cJB2_Error_Invalid_Segment_Data;
    const uint32_t blockSize = cache->blockSize;
    uint64_t position = offset;
    while (position < end) {
        const uint32_t index = static_cast<uint32_t>(position / blockSize);
        const uint64_t blockBegin = static_cast<uint64_t>(index) * blockSize;
        JB2_Error status = TableGrow(cache, memory, index);
        if (status != cJB2_Error_OK)
            return status;
        uint8_t* block = nullptr;
        status = LoadBlock(cache, memory, index, true, &block);
        if (status != cJB2_Error_OK)
            return status;
        const uint64_t blockEnd = blockBegin + blockSize;
        const uint64_t stop = blockEnd < end ? blockEnd : end;
        std::memcpy(block + (position - blockBegin), source + (position - offset),
                    static_cast<size_t>(stop - position));
        position = stop;
        *count = static_cast<uint32_t>(position - offset);
    }
    if (end > cache->highest)
        cache->highest = static_cast<uint32_t>(end);
    return cJB2_Error_OK;
}

}  // namespace ZAV
