// The page renderer's dispatch over region types: which kinds of region
// segment the codec can draw, and drawing one onto the page bitmap.
#pragma once

#include <cstdint>

#include "jbig2codec/render/JB2ComposeRows.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// Decodes one region segment and combines it onto the page with the operator
// (0 OR, 1 AND, 2 XOR, 3 XNOR, 4 REPLACE, or 128 for the region's own).
typedef JB2_Error (*JB2RegionDraw)(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                                   const JB2PageBitmap& page, JB2Message* message);

// One kind of region the page renderer draws: the segment types it takes and
// how it draws one. The dispatch table lists one entry per decoder.
struct JB2RegionRenderer {
    bool (*takes)(uint32_t type);
    JB2RegionDraw draw;
};

// The renderer for a region type, or null when the codec cannot draw it.
const JB2RegionRenderer* JB2RegionRendererFor(uint32_t type);

// 1 when the region segment can be drawn: the segment layer can decode it and
// a renderer takes its type. A region without renderer gives 0 with a warning
// naming the region. Only a damaged segment fails.
JB2_Error JB2RegionCanRender(JB2SegmentHeader* segment, uint8_t* renderable, JB2Message* message);

// Draws the region of `segment` onto the page with the page's combination
// operator (128: the region's own). A region without renderer gives -22.
JB2_Error JB2RenderRegion(JB2SegmentHeader* segment, JB2Memory* memory, const JB2PageBitmap& page,
                          uint32_t combination, JB2Message* message);

}  // namespace ZAV
