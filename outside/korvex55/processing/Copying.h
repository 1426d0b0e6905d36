// Filling and copying pictures of one depth (any depth of PixelView).
#pragma once

#include <cstdint>

#include "outside/korvex55/processing/Colour.h"
#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

void FillPicture(const PixelView& picture, const Samples& colour);

// The rectangle of the source to (x, y) of the destination; both lie inside.
void CopyRect(const PixelView& source, const Rect& from, const PixelView& destination, int32_t x, int32_t y);

// Pixels whose mask sample is not 0 are copied; the others stay.
void CopyMasked(const PixelView& source, const PixelView& mask, const PixelView& destination);

// Destination pixel (x, y) takes source pixel (x - offsetX, y - offsetY);
// where that lies outside, the border colour, or with replicate the
// source's nearest edge pixel.
void CopyShifted(const PixelView& source, const PixelView& destination, int32_t offsetX, int32_t offsetY,
                 const Samples* borderColour);

}  // namespace KORVEX55
