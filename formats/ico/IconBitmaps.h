// An icon image's two bitmaps as 24-bit rows: the colour (XOR) bitmap with
// its own colour table, and the 1-bit mask (AND) bitmap read as black and
// white; combined over white, mask first.
#pragma once

#include "formats/ico/IconImageSet.h"

#include <cstdint>
#include <vector>

namespace ZAV {

// width x |height| x 3 bytes, top row first. Refuses data the bitmap
// readers cannot convert ("Decoding Icon: Invalid Icondata.", code 2).
std::vector<uint8_t> DecodeIconPixels(const IconImage& image);

}  // namespace ZAV
