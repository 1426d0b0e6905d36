// The geometric operations as maps from source to destination coordinates.
// The destination already has its size; where a box sized it, the box's
// top-left corner is the destination's (0, 0).
#pragma once

#include <cstdint>
#include <string>

#include "outside/korvex55/geometry/Boxes.h"
#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

// Rotation about the source's centre, that centre put on the destination's.
Matrix3 RotateMap(const PixelView& source, const PixelView& destination, double degrees);
// Rotation about the source point (pivotX, pivotY); the picture lands where
// RotateMap puts it, shifted by how far turning about the pivot moves it.
Matrix3 RotateAboutPointMap(const PixelView& source, const PixelView& destination, double degrees, double pivotX,
                            double pivotY);
// A map followed by the shift that brings its corner box's top-left to (0, 0).
BoxProblem BoxedMap(const Matrix3& map, const PixelView& source, Matrix3& boxed);

// The destination from the source through a source-to-destination map.
// Empty text, or why not (a map without inverse).
std::string TransformPicture(const PixelView& source, const PixelView& destination, const Matrix3& sourceToDestination,
                             int32_t interpolation);

// Each side scaled to the destination's.
void ResizePicture(const PixelView& source, const PixelView& destination, int32_t interpolation);

// Left and right swap (each row reversed) / top and bottom swap.
void MirrorLeftRight(const PixelView& picture);
void MirrorTopBottom(const PixelView& picture);

}  // namespace KORVEX55
