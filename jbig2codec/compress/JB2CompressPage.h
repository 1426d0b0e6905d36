// Assembling the one page of a compression: the checks and objects of the
// first row, storing each row, and coding the page after the last one.
#pragma once

#include <cstdint>

#include "jbig2codec/compress/JB2CompressProperties.h"

namespace ZAV {

// Checks the properties and makes the stripe encoder, the file object and
// its page information segment (segment 0 of page 1).
JB2_Error JB2CompressPageStart(JB2CompressProperties* properties, JB2Memory* memory, JB2Message* message);
// Stores one row; after the last one codes the page and closes the file
// with end of page and end of file.
JB2_Error JB2CompressPageLine(JB2CompressProperties* properties, JB2Memory* memory, const uint8_t* line,
                              JB2Message* message);

}  // namespace ZAV
