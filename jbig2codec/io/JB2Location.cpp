#include "jbig2codec/io/JB2Location.h"

#include "jbig2codec/support/JB2Counted.h"

namespace ZAV {

JB2_Error JB2LocationCreate(JB2Location** out, JB2Memory* memory, uint32_t start, uint32_t length,
                            JB2Message* message)
{
    JB2_Error status = JB2CountedCreate(out, memory, message, "location");
    if (status != cJB2_Error_OK)
        return status;
    (*out)->start = start;
    (*out)->length = length;
    return cJB2_Error_OK;
}

void JB2LocationAddReference(JB2Location* location)
{
    JB2CountedAddReference(location);
}

JB2_Error JB2LocationRelease(JB2Location** holder, JB2Memory* memory)
{
    return JB2CountedRelease(holder, memory);
}

}  // namespace ZAV
