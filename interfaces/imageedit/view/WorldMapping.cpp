#include "interfaces/imageedit/view/WorldMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// Truncation toward zero that stays defined for any double: values far
// beyond the 32-bit range are held at a bound the callers' sums cannot
// overflow, and NaN (from infinite world coordinates) becomes 0.
int64_t TruncateSaturated(double value)
{
    constexpr double kBound = 1e18;
    if (std::isnan(value))
        return 0;
    return static_cast<int64_t>(std::trunc(std::clamp(value, -kBound, kBound)));
}

}  // namespace

int SaturateToInt32(int64_t value)
{
    return static_cast<int>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

CWorldMapping::CWorldMapping(int width, int height, const CWorldRect& world)
    : m_width(width), m_height(height), m_world(world)
{
    if (width <= 0 || height <= 0)
        ThrowTextException("No imagedata!");
    if (world.right == world.left || world.top == world.bottom)
        ThrowTextException("Invalid world rectangle!");
}

void CWorldMapping::PixelToWorld(int x, int y, double& worldX, double& worldY) const
{
    worldX = m_world.left + x * (m_world.right - m_world.left) / m_width;
    worldY = m_world.bottom + (m_height - y - 1) * (m_world.top - m_world.bottom) / m_height;
}

void CWorldMapping::WorldToPixel(double worldX, double worldY, int& x, int& y) const
{
    x = SaturateToInt32(TruncateSaturated((worldX - m_world.left) / ((m_world.right - m_world.left) / m_width)));
    const int64_t rowsUp = TruncateSaturated((worldY - m_world.bottom) / ((m_world.top - m_world.bottom) / m_height));
    y = SaturateToInt32(static_cast<int64_t>(m_height) - rowsUp - 1);
}

CWorldRect CWorldMapping::PixelRectToWorld(const RECT& pixels) const
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    PixelToWorld(pixels.left, pixels.top, x1, y1);
    PixelToWorld(pixels.right, pixels.bottom, x2, y2);
    return CWorldRect{std::min(x1, x2), std::max(y1, y2), std::max(x1, x2), std::min(y1, y2)};
}

RECT CWorldMapping::WorldRectToPixel(const CWorldRect& world) const
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    WorldToPixel(world.left, world.top, x1, y1);
    WorldToPixel(world.right, world.bottom, x2, y2);
    return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace ZAV
