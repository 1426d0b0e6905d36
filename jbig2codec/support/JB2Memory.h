// The memory object: every block the codec holds comes from the caller's
// allocation callback through it and goes back through the free callback.
#pragma once

#include <cstdint>
#include <type_traits>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/kvd_jb2.h"

namespace ZAV {

struct JB2Memory {
    JB2_Alloc_Callback alloc;
    void* allocUser;
    JB2_Free_Callback free;
    void* freeUser;
    uint32_t references;
};

// Makes a memory object (itself allocated through `alloc`), reference count 1.
// -2 without alloc callback, -3 without free callback, -5 when alloc fails.
JB2_Error JB2MemoryCreate(JB2Memory** out, JB2_Alloc_Callback alloc, void* allocUser,
                          JB2_Free_Callback free, void* freeUser);
void JB2MemoryAddReference(JB2Memory* memory);
// Drops one reference; the last one frees the object. Sets the holder to null.
JB2_Error JB2MemoryRelease(JB2Memory** holder);

// A zero-filled block, or null for size 0, a missing callback, a size the
// callback cannot take, or an allocation failure.
void* JB2MemoryAlloc(JB2Memory* memory, uint64_t size);
// Frees through the free callback; -6 without memory, callback or pointer.
JB2_Error JB2MemoryFreeBlock(JB2Memory* memory, void* pointer);
// A new block of newSize holding the old contents, the rest zeros; the old
// block is freed. Null (old block kept) for a size not above the old one.
void* JB2MemoryGrow(JB2Memory* memory, void* old, uint64_t oldSize, uint64_t newSize);

// Frees the block the holder points to and sets the holder to null.
template <class T>
JB2_Error JB2MemoryFree(JB2Memory* memory, T** holder)
{
    if (!holder)
        return cJB2_Error_Free_Failure;
    JB2_Error status = JB2MemoryFreeBlock(memory, const_cast<void*>(static_cast<const void*>(*holder)));
    if (status == cJB2_Error_OK)
        *holder = nullptr;
    return status;
}

// An array of `count` zeroed elements; the size is computed in 64 bits.
template <class T>
T* JB2MemoryAllocArray(JB2Memory* memory, uint64_t count)
{
    static_assert(std::is_trivially_copyable<T>::value, "codec arrays hold plain values");
    if (count > kJB2MaxAllocationBytes / sizeof(T))
        return nullptr;
    return static_cast<T*>(JB2MemoryAlloc(memory, count * sizeof(T)));
}

// A zero-filled record of plain fields.
template <class T>
T* JB2MemoryNew(JB2Memory* memory)
{
    static_assert(std::is_trivially_copyable<T>::value, "codec records are plain");
    return static_cast<T*>(JB2MemoryAlloc(memory, sizeof(T)));
}

}  // namespace ZAV
