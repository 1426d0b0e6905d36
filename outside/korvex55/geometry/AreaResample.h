// Resizing by area averaging: each destination pixel is the mean of the
// source it covers, every source pixel weighed by the part of it that lies
// under the destination pixel. Shrinking a 1-bit picture this way into 8
// bits gives grey where black and white share a destination pixel.
#pragma once

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

// Source and destination have the same depth and do not share memory. The
// mean is rounded to the nearest value, halves up (at 1 bit to 0 or 1).
void ResizeByArea(const PixelView& source, const PixelView& destination);

}  // namespace KORVEX55
