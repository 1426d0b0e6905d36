// Sizes and the distance measure of the contour image.
#pragma once

namespace ZAV {

// A contour is 1 to 254 pixels wide, so every distance and the "untouched"
// value 255 fit one byte apart.
constexpr int kMinContourSize = 1;
constexpr int kMaxContourSize = 254;

// The length of the vector (x, y), truncated.
int PointDistance(int x, int y);

}  // namespace ZAV
