#include "interfaces/imageedit/facets/cnv/WorldCoordinates.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

void RequireImage(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        ThrowTextException("No imagedata!");
}

// A world rectangle without extent would divide by zero.
void RequireExtent(const CWorldRect& world)
{
    if (world.right == world.left || world.top == world.bottom)
        ThrowTextException("Invalid world rectangle!");
}

// Truncated toward zero; values beyond the 32-bit range (far outside the
// image) stop at its ends instead of overflowing.
int32_t TruncateToPixel(double value)
{
    if (std::isnan(value))
        ThrowTextException("Invalid world rectangle!");
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::min(kHighest, std::max(kLowest, value))));
}

}  // namespace

CWorldPoint PixelToWorldPoint(const CWorldRect& world, int32_t width, int32_t height, int32_t x, int32_t y)
{
    RequireImage(width, height);
    CWorldPoint point;
    point.x = world.left + x * (world.right - world.left) / width;
    point.y = world.bottom + (static_cast<double>(height) - y - 1) * (world.top - world.bottom) / height;
    return point;
}

POINT WorldToPixelPoint(const CWorldRect& world, int32_t width, int32_t height, double worldX, double worldY)
{
    RequireImage(width, height);
    RequireExtent(world);
    const int32_t column = TruncateToPixel((worldX - world.left) / ((world.right - world.left) / width));
    const int32_t rowsUp = TruncateToPixel((worldY - world.bottom) / ((world.top - world.bottom) / height));
    POINT point;
    point.x = column;
    const int64_t row = static_cast<int64_t>(height) - rowsUp - 1;
    point.y = static_cast<int32_t>(std::min<int64_t>(std::numeric_limits<int32_t>::max(), row));
    return point;
}

CWorldRect PixelRectToWorldRect(const CWorldRect& world, int32_t width, int32_t height, const RECT& pixels)
{
    const CWorldPoint first = PixelToWorldPoint(world, width, height, pixels.left, pixels.top);
    const CWorldPoint second = PixelToWorldPoint(world, width, height, pixels.right, pixels.bottom);
    // World y grows upwards: the top is the larger y.
    CWorldRect result;
    std::tie(result.left, result.right) = std::minmax(first.x, second.x);
    std::tie(result.bottom, result.top) = std::minmax(first.y, second.y);
    return result;
}

RECT WorldRectToPixelRect(const CWorldRect& world, int32_t width, int32_t height, const CWorldRect& part)
{
    const POINT first = WorldToPixelPoint(world, width, height, part.left, part.top);
    const POINT second = WorldToPixelPoint(world, width, height, part.right, part.bottom);
    RECT result;
    std::tie(result.left, result.right) = std::minmax(first.x, second.x);
    std::tie(result.top, result.bottom) = std::minmax(first.y, second.y);
    return result;
}

}  // namespace ZAV
