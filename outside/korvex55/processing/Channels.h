// Channel images: a colour picture's samples as one-byte pictures of its size.
#pragma once

#include <cstdint>

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

// Channel i of the picture into parts[i], for i below count.
void SplitSamples(const PixelView& picture, const PixelView* parts, int32_t count);
// parts[i] into channel i of the picture, for i below count.
void JoinSamples(const PixelView* parts, int32_t count, const PixelView& picture);
// Destination channel i takes source channel order[i].
void ReorderSamples(const PixelView& source, const int32_t* order, const PixelView& destination);

}  // namespace KORVEX55
