// Inflating the Flate data of a picture into at most the bytes it can use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

// The first bytes (at most limit) the zlib data inflates to. Data that ends
// early gives what it holds, as readers show a cut picture; data after the
// limit is not inflated at all, so a hostile stream costs no more than the
// picture it claims to be. Corrupt data fails with "Invalid Flate data! %s".
CArraySimple<unsigned char, 1> InflateAtMost(const uint8_t* data, size_t size, uint64_t limit);

}  // namespace ZAV
