// Ceilings of the picture extraction, each against a hostile value of a
// PDF file.
#pragma once

#include <cstdint>

namespace ZAV {

// Most bytes a Flate step in front of another filter may inflate to: its
// output is coded data again (a JPEG, say), never larger than the pictures
// the image object takes, and a few kilobytes of hostile data could claim
// gigabytes.
constexpr uint64_t kMaxPictureChainBytes = uint64_t(256) << 20;

// Most bytes a Flate-coded /JBIG2Globals stream may inflate to: symbol
// dictionaries of whole books stay within a few megabytes, and a few
// kilobytes of hostile data could claim gigabytes.
constexpr uint64_t kMaxJbig2GlobalsBytes = uint64_t(64) << 20;

// Most bytes of an /Indexed lookup table: 256 entries of 4 colorants.
constexpr uint64_t kMaxPaletteLookupBytes = 256 * 4;

}  // namespace ZAV
