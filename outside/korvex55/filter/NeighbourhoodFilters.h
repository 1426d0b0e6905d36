// Filters over a pixel's neighbourhood on one-byte and 24-bit pictures.
// Pixels beyond the picture's edge repeat the nearest edge pixel. Source and
// destination have the same size and depth and do not share memory.
#pragma once

#include "outside/korvex55/filter/Kernel.h"
#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

// Weighted sum per sample, divided by the kernel's divisor, rounded half away
// from zero (its magnitude for edge detectors), saturated to 0..255.
void Convolve(const PixelView& source, const PixelView& destination, const Kernel& kernel);

// Median, minimum or maximum of the 3 x 3 neighbourhood, per sample.
void RankFilter3x3(const PixelView& source, const PixelView& destination, int32_t kind);

// Softens edges only: a sample whose 3 x 3 neighbourhood spans more than
// kAntialiasContrast levels takes its 3 x 3 Gauss value; flat areas stay.
constexpr int32_t kAntialiasContrast = 32;
void Antialias(const PixelView& source, const PixelView& destination);

}  // namespace KORVEX55
