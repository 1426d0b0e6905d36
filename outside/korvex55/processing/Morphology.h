// Erosion (smallest sample) and dilation (largest sample) over the set
// elements of a mask of width x height, anchored at (width / 2, height / 2);
// the picture's edge repeats outwards. Every depth of PixelView; on 1 bit a
// set bit is the larger value.
#pragma once

#include <cstdint>
#include <vector>

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

struct StructuringElement {
    int32_t width = 0;
    int32_t height = 0;
    // Non-zero entries, row by row, belong to the element.
    std::vector<int32_t> mask;
};

StructuringElement Square3x3();

// Source and destination have one size and depth and do not share memory.
void Erode(const PixelView& source, const PixelView& destination, const StructuringElement& element);
void Dilate(const PixelView& source, const PixelView& destination, const StructuringElement& element);

}  // namespace KORVEX55
