// Boxes bounding a picture's corners after a map, and the maps the
// rotation, shear and perspective operations use.
#pragma once

#include <cstdint>
#include <string>

#include "outside/korvex55/geometry/Matrix3.h"

namespace KORVEX55 {

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Rotation about the picture's centre; the box keeps that centre.
Matrix3 RotationAboutCentre(int32_t width, int32_t height, double degrees);
enum class BoxProblem {
    kNone,
    // A corner lies on or beyond the map's horizon.
    kHorizon,
    // Not finite, or more than kMaxPixels pixels.
    kTooLarge,
};

// The box of the source's corners (0, 0), (w, 0), (w, h), (0, h) under a map.
BoxProblem CornerBox(const Matrix3& map, int32_t width, int32_t height, Box& box);
// What is wrong, for a failure text.
std::string Describe(BoxProblem problem);

}  // namespace KORVEX55
