// Status values used inside the codec beside the public ones of kvd_jb2.h.
#pragma once

#include "jbig2codec/kvd_jb2.h"

namespace ZAV {

// A state that cannot occur: a null internal object, an index out of range,
// a field of the wrong segment type. Returned without a message.
constexpr JB2_Error cJB2_Error_Internal = -500;

}  // namespace ZAV
