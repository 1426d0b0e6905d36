#include "jbig2codec/support/JB2Memory.h"

#include <cstring>

#include "jbig2codec/support/JB2Counted.h"

namespace ZAV {

JB2_Error JB2MemoryCreate(JB2Memory** out, JB2_Alloc_Callback alloc, void* allocUser,
                          JB2_Free_Callback free, void* freeUser)
{
    if (!out)
        return cJB2_Error_Invalid_Pointer;
    *out = nullptr;
    if (!alloc)
        return cJB2_Error_Callback_Allocation;
    if (!free)
        return cJB2_Error_Callback_No_Free;
    auto* memory = static_cast<JB2Memory*>(alloc(sizeof(JB2Memory), allocUser));
    if (!memory)
        return cJB2_Error_Allocation_Failure;
    memory->alloc = alloc;
    memory->allocUser = allocUser;
    memory->free = free;
    memory->freeUser = freeUser;
    memory->references = 1;
    *out = memory;
    return cJB2_Error_OK;
}

void JB2MemoryAddReference(JB2Memory* memory)
{
    JB2CountedAddReference(memory);
}

JB2_Error JB2MemoryRelease(JB2Memory** holder)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2Memory* memory = *holder;
    *holder = nullptr;
    if (memory->references > 1) {
        --memory->references;
        return cJB2_Error_OK;
    }
    // The object is freed through its own callback, read out first.
    JB2_Free_Callback free = memory->free;
    void* freeUser = memory->freeUser;
    return free(memory, freeUser);
}

void* JB2MemoryAlloc(JB2Memory* memory, uint64_t size)
{
    if (!memory || !memory->alloc || size == 0 || size > kJB2MaxAllocationBytes)
        return nullptr;
    void* block = memory->alloc(static_cast<uint32_t>(size), memory->allocUser);
    if (block)
        std::memset(block, 0, static_cast<size_t>(size));
    return block;
}

JB2_Error JB2MemoryFreeBlock(JB2Memory* memory, void* pointer)
{
    if (!memory || !memory->free || !pointer)
        return cJB2_Error_Free_Failure;
    return memory->free(pointer, memory->freeUser);
}

void* JB2MemoryGrow(JB2Memory* memory, void* old, uint64_t oldSize, uint64_t newSize)
{
    if (newSize == 0 || newSize <= oldSize)
        return nullptr;
    void* block = JB2MemoryAlloc(memory, newSize);
    if (!block)
        return nullptr;
    if (old && oldSize)
        std::memcpy(block, old, static_cast<size_t>(oldSize));
    if (old)
        JB2MemoryFreeBlock(memory, old);
    return block;
}

}  // namespace ZAV
