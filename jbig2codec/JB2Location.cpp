#include "jbig2codec/JB2Location.h"

namespace ZAV {

JB2_Error JB2LocationCreate(JB2Location** out, JB2Memory* memory, uint32_t start, uint32_t length,
                            JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* location = JB2MemoryNew<JB2Location>(memory);
    if (!location) {
        JB2MessageError(message, "Unable to allocate location object!");
        return cJB2_Error_Allocation_Failure;
    }
    location->start = start;
    location->length = length;
    location->references = 1;
    *out = location;
    return cJB2_Error_OK;
}

void JB2LocationAddReference(JB2Location* location)
{
    if (location)
        ++location->references;
}

JB2_Error JB2LocationRelease(JB2Location** holder, JB2Memory* memory)
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
