// Where an item of a given size sits inside a frame. Alignment codes 0-8:
// column = code / 3 (left, centre, right), row = code % 3 (top, middle, bottom).
#pragma once

#include "platform/WinTypes.h"

namespace ZAV {

// fitWidth / fitHeight stretch the item to the frame's width / height;
// keepProportions then scales the other side to match, placed by the
// alignment. Codes outside 0-8 place the item at 0, 0.
RECT GetAlignedRect(const RECT& frame, const SIZE& size, int alignment, bool keepProportions, bool fitWidth,
                    bool fitHeight);

}  // namespace ZAV
