// Checks the filter, geometry and processing groups make on their arguments
// beyond the core's; each fails the operation with a text naming the value.
#pragma once

#include <cstdint>

#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/processing/Copying.h"

namespace KORVEX55 {

void RequireFinite(double value, const char* what);
// Same width and height, whatever the depths; the text names both.
void RequireSameSize(const ImageView& image, const char* role, const ImageView& other, const char* otherRole);
// Depths of one layout (8 and 9 agree); the text names both images.
void RequireSameDepth(const ImageView& image, const char* role, const ImageView& other, const char* otherRole);
// A source of a depth PixelView holds: 1, 8, 9, 24 or 32 bits.
const ImageView& RequirePicture(const SourceImage& source);
// The object's own image, of a depth PixelView holds.
const ImageView& RequireOwnPicture(const Processor& self);
// The rectangle has at least one pixel and lies inside the image.
void RequireRectInside(const Rect& rect, const char* what, const ImageView& image, const char* role);
// A channel or alpha image must be a one-byte image of that size.
void RequireOneByteOfSize(const ImageView& image, const char* role, const ImageView& model, const char* modelRole);

}  // namespace KORVEX55
