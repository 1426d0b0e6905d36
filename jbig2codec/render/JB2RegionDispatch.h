// The render entries the page decompressor calls for each region segment
// of a page: decode the region and combine it onto the page bitmap.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// Draws the region of `segment` into the page (pageWidth x pageHeight packed
// rows) with the combination operator (128: the region's own). Regions whose
// decoder the codec lacks give -22.
JB2_Error JB2RenderRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t* page, uint32_t pageWidth,
                                 uint32_t pageHeight, uint32_t combination, JB2Message* message);

}  // namespace ZAV
