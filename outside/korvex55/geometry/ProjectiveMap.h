// The nine coefficients of a perspective map from four point pairs.
#pragma once

#include <cstdint>
#include <string>

#include "outside/korvex55/geometry/Matrix3.h"

namespace KORVEX55 {

struct PointPair {
    PointD from;
    PointD to;
};

// The map taking each pair's first point to its second, scaled so that its
// last coefficient is 1. Empty text, or why not (three points on a line).
std::string SolveProjectiveMap(const PointPair (&pairs)[4], Matrix3& map);

}  // namespace KORVEX55
