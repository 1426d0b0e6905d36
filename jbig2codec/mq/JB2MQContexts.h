// Fixed places of the context sets inside the one context array that every
// arithmetic region coder of a segment shares.
#pragma once

#include <cstdint>

namespace ZAV {

namespace JB2MQContexts {

// One array serves all sets, so coders of one segment can share a coder.
constexpr uint32_t kCount = 0x20000;

// Integer procedures: 512 contexts each (nine bits of PREV).
constexpr uint32_t kIAAI = 0;
constexpr uint32_t kIADH = 512;
constexpr uint32_t kIADS = 1024;
constexpr uint32_t kIADT = 1536;
constexpr uint32_t kIADW = 2048;
constexpr uint32_t kIAEX = 2560;
constexpr uint32_t kIAFS = 3072;
constexpr uint32_t kIAIT = 3584;
constexpr uint32_t kIARDH = 4096;
constexpr uint32_t kIARDW = 4608;
constexpr uint32_t kIARDX = 5120;
constexpr uint32_t kIARDY = 5632;
constexpr uint32_t kIARI = 6144;

// Refinement pixels: 13-bit context numbers.
constexpr uint32_t kRefinement = 0x2000;
// Symbol identifiers: 2^SBSYMCODELEN contexts.
constexpr uint32_t kIAID = 0x8000;
// Generic region pixels: 16-bit context numbers.
constexpr uint32_t kGeneric = 0x10000;

}  // namespace JB2MQContexts

}  // namespace ZAV
