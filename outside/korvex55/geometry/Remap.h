// Fills a destination from a source through a map from destination to
// source coordinates. Pixel (x, y) covers the square from (x, y) to
// (x + 1, y + 1); its centre is what is mapped. Destination pixels whose
// centre maps outside the source keep their value.
#pragma once

#include <cstdint>

#include "outside/korvex55/geometry/Matrix3.h"
#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

enum Interpolation : int32_t {
    kInterpolationNearest = 0,
    kInterpolationBilinear = 1,
    // Resize alone: area averaging (AreaResample.h).
    kInterpolationArea = 4,
};

// Source and destination have the same depth and do not share memory. On
// 1-bit pictures bilinear weighs the bits and rounds to 0 or 1.
void Remap(const PixelView& source, const PixelView& destination, const Matrix3& destinationToSource,
           int32_t interpolation);

}  // namespace KORVEX55
