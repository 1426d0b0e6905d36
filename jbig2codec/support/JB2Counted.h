// Records shared by several holders carry a count of their holders; these
// templates keep the counting the same for every such record.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

// A zero-filled record with one holder in *out; the caller fills the rest.
// The name goes into the allocation failure message.
template <class T>
JB2_Error JB2CountedCreate(T** out, JB2Memory* memory, JB2Message* message, const char* name)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* record = JB2MemoryNew<T>(memory);
    if (!record) {
        JB2MessageError(message, "Unable to allocate %s object!", name);
        return cJB2_Error_Allocation_Failure;
    }
    record->references = 1;
    *out = record;
    return cJB2_Error_OK;
}

template <class T>
void JB2CountedAddReference(T* record)
{
    if (record)
        ++record->references;
}

// For records that own nothing: the last holder frees the block. The holder
// is set to null either way.
template <class T>
JB2_Error JB2CountedRelease(T** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    if ((*holder)->references > 1) {
        --(*holder)->references;
        *holder = nullptr;
        return cJB2_Error_OK;
    }
    return JB2MemoryFree(memory, holder);
}

}  // namespace ZAV
