// The mapping between an image's pixels and the world rectangle it covers.
// Pixel rows grow downwards, world y upwards; pixel rectangles are
// inclusive (a whole image is 0, 0, W - 1, H - 1).
#pragma once

#include <cstdint>

#include "interfaces/imageedit/view/WorldRect.h"
#include "platform/WinTypes.h"

namespace ZAV {

// The nearest 32-bit value, for sums of caller coordinates.
int SaturateToInt32(int64_t value);

class CWorldMapping {
public:
    // Throws "No imagedata!" when the image has no width or height, and
    // "Invalid world rectangle!" for a world rectangle without width or
    // height, which would divide by zero.
    CWorldMapping(int width, int height, const CWorldRect& world);

    void PixelToWorld(int x, int y, double& worldX, double& worldY) const;
    // Truncates toward zero; results beyond the 32-bit range saturate.
    void WorldToPixel(double worldX, double worldY, int& x, int& y) const;
    // Ordered so that left <= right and bottom <= top.
    CWorldRect PixelRectToWorld(const RECT& pixels) const;
    // Ordered so that left <= right and top <= bottom.
    RECT WorldRectToPixel(const CWorldRect& world) const;

private:
    double m_width;
    double m_height;
    CWorldRect m_world;
};

}  // namespace ZAV
