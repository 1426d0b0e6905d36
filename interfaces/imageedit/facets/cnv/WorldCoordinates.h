// Image pixels and world coordinates: the world rectangle places a width x
// height image, bottom-up, so world y grows upwards while rows grow
// downwards. Every function throws "No imagedata!" for an empty image and
// "Invalid world rectangle!" for a world rectangle without width or height.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

struct CWorldRect;

struct CWorldPoint {
    double x = 0.0;
    double y = 0.0;
};

CWorldPoint PixelToWorldPoint(const CWorldRect& world, int32_t width, int32_t height, int32_t x, int32_t y);
POINT WorldToPixelPoint(const CWorldRect& world, int32_t width, int32_t height, double worldX, double worldY);
// Ordered: left <= right and bottom <= top.
CWorldRect PixelRectToWorldRect(const CWorldRect& world, int32_t width, int32_t height, const RECT& pixels);
// Ordered: left <= right and top <= bottom.
RECT WorldRectToPixelRect(const CWorldRect& world, int32_t width, int32_t height, const CWorldRect& part);

}  // namespace ZAV
