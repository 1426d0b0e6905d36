// A rectangle in the world coordinates of a view layer. World y grows
// upwards, so top is the larger value: after a reset the rectangle of a
// W x H image is left 0, top H, right W, bottom 0.
#pragma once

namespace ZAV {

struct CWorldRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

}  // namespace ZAV
