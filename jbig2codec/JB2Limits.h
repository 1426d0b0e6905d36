// Ceilings of the JBIG2 codec against hostile data, each with its reason.
#pragma once

#include <cstdint>

// Integer procedures code signed 32-bit values; larger magnitudes are corrupt.
constexpr uint64_t kJB2MaxCodedInteger = 0x7FFFFFFF;
// Symbol codes longer than this would use contexts of other procedures.
constexpr uint32_t kJB2MaxSymbolCodeLength = 15;
