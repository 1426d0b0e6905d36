// The checks operations make on their images before touching a pixel; each
// fails the operation with a status and a text naming what it found.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "outside/korvex55/core/ImageView.h"
#include "outside/korvex55/core/Processor.h"

namespace KORVEX55 {

// role names the image in the text: "image", "operand", "source", ...
const ImageView& RequireImage(const Processor& processor, const char* role);
// The image's depth must be one of the allowed ones.
void RequireDepth(const ImageView& image, const char* role, std::initializer_list<int32_t> allowed);
// The object's own image, checked to be there and of an allowed depth.
const ImageView& RequireOwnImage(const Processor& self, std::initializer_list<int32_t> allowed);
// Same width, height and layout (8 and 9 bits agree); the text names both.
void RequireSameShape(const ImageView& image, const char* role, const ImageView& other, const char* otherRole);
// lowest <= value <= highest, else a bad-value status naming the value.
void RequireRange(int32_t value, const char* what, int32_t lowest, int32_t highest);

}  // namespace KORVEX55
