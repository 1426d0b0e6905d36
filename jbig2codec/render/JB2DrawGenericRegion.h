// Renders an immediate generic region segment onto the page bitmap, one
// decoded row at a time.
#pragma once

#include <cstdint>

#include "jbig2codec/generic/JB2GenericRegionDecoder.h"
#include "jbig2codec/render/JB2ComposeRows.h"

namespace ZAV {

struct JB2GenericRegionDraw {
    JB2GenericRegionDecoder* decoder;
    uint8_t combination;
    uint32_t width;
    uint32_t height;
    uint32_t x;
    uint32_t y;
    uint32_t stride;
    uint8_t* line;  // stride + 4 bytes
};

// combination is an operator (0 OR, 1 AND, 2 XOR, 3 XNOR, 4 REPLACE) or 128
// for the region's own. A region the codec cannot decode gives -22.
JB2_Error JB2GenericRegionDrawCreate(JB2GenericRegionDraw** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       uint8_t combination, JB2Message* message);
// Combines the region into a page of packed rows, (pageWidth + 7) / 8 bytes each.
JB2_Error JB2GenericRegionDrawRows(JB2GenericRegionDraw* render, uint8_t* page, uint32_t pageWidth,
                                       uint32_t pageHeight);
JB2_Error JB2GenericRegionDrawEnd(JB2GenericRegionDraw** render, JB2Memory* memory);

// Creates the render object for a segment (combination as for the create
// function), renders it and frees it.
JB2_Error JB2DrawGenericRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                               const JB2PageBitmap& page, JB2Message* message);

}  // namespace ZAV
