// Combining decoded regions into the page bitmap, clipped to the page.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Status.h"

namespace ZAV {

// The operator value that asks for the region segment's own operator.
constexpr uint8_t kJB2CombinationFromRegion = 128;

// The page bitmap a region is drawn onto: height rows of (width + 7) / 8 bytes.
struct JB2PageBitmap {
    uint8_t* bits;
    uint32_t width;
    uint32_t height;
};

// Gives row `row` (from 0) of a region, packed, into `line`.
typedef JB2_Error (*JB2RegionRowSource)(void* user, uint32_t row, uint8_t* line);

// Draws a region of width x height at (x, y) onto a page of pageWidth x
// pageHeight packed rows of (pageWidth + 7) / 8 bytes. Only rows and columns
// on the page are drawn, and rows below the page are not asked for. `line`
// holds a region row: (width + 7) / 8 bytes and at least one spare byte.
// Stops at the first failing row and returns its status.
JB2_Error JB2ComposeRegionRows(uint8_t* page, uint32_t pageWidth, uint32_t pageHeight, uint32_t x, uint32_t y,
                              uint32_t width, uint32_t height, uint8_t combination, uint8_t* line,
                              JB2RegionRowSource source, void* user);

}  // namespace ZAV
