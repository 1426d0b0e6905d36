// The image size a transformed picture's box asks for, checked before it
// becomes integers: a box below one pixel asks for nothing, and one beyond
// what an image can hold is refused.
#pragma once

#include <cstdint>

#include "interfaces/advanced/facets/ZAVAIPTransformation.h"

namespace ZAV {

struct AIPImageSize {
    int32_t width = 0;
    int32_t height = 0;
};

// False when the box is below one pixel in either direction; throws when it
// is no finite box or its image at this depth would pass the image ceiling.
bool SizeOfBox(const AIPBox& box, int32_t bitsPerPixel, AIPImageSize& size);

}  // namespace ZAV
