// Draws regions that are decoded whole before they are drawn (text and
// halftone regions) onto the page bitmap.
#pragma once

#include <cstdint>

#include "jbig2codec/render/JB2ComposeRows.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// Row `row` of a decoded region, null when it has none.
typedef const uint8_t* (*JB2DecodedRow)(const void* decoder, uint32_t row);

// Combines the region's rows into the page at the region's place with the
// operator (128: the region's own).
JB2_Error JB2DrawDecodedRegion(JB2SegmentHeader* segment, uint8_t combination, const void* decoder, JB2DecodedRow rowOf,
                               JB2Memory* memory, const JB2PageBitmap& page, JB2Message* message);

// Decode and draw a text region (types 6 and 7) or a halftone region (22 and 23).
JB2_Error JB2DrawTextRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                            const JB2PageBitmap& page, JB2Message* message);
JB2_Error JB2DrawHalftoneRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                                const JB2PageBitmap& page, JB2Message* message);

}  // namespace ZAV
