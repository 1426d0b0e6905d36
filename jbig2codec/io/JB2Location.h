// The location object: a window of the source in which a reader's offsets
// count from the window's start.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

struct JB2Location {
    uint32_t start;
    uint32_t length;  // 0: up to the end of the data
    uint32_t references;
};

JB2_Error JB2LocationCreate(JB2Location** out, JB2Memory* memory, uint32_t start, uint32_t length,
                            JB2Message* message);
void JB2LocationAddReference(JB2Location* location);
JB2_Error JB2LocationRelease(JB2Location** holder, JB2Memory* memory);

}  // namespace ZAV
