// The compressor's symbol path: the components of the collected page become
// symbols of one or two symbol dictionaries and instances of a text region;
// what the instances reproduce is taken off the page, so that a generic
// region codes the rest (the page-coded flag says whether any is left).
#pragma once

#include <cstdint>

#include "jbig2codec/compress/JB2StripeEncoder.h"

namespace ZAV {

// Matching modes 1 (classes, with a refinement dictionary) and 2 (direct
// matching against one dictionary); text template 0 to 3. Anything else -500.
JB2_Error JB2StripeEncoderSymbolPath(JB2StripeEncoder* encoder, JB2Memory* memory, JB2File* file, uint32_t mode,
                                     uint32_t textTemplate, JB2Message* message);

}  // namespace ZAV
