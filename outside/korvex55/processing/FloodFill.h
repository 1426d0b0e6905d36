// Flood fill from a seed pixel over its connected neighbours whose every
// sample lies within [seed - lower, seed + upper] of the seed's own sample.
#pragma once

#include <cstdint>

#include "outside/korvex55/processing/Colour.h"
#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

struct FloodRange {
    int32_t lower = 0;
    int32_t upper = 0;
    // 4: left, right, up, down; 8: the diagonals too.
    int32_t connectivity = 4;
};

void FloodFillPicture(const PixelView& picture, int32_t seedX, int32_t seedY, const Samples& colour,
                      const FloodRange& range);

}  // namespace KORVEX55
