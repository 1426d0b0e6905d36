#include "outside/korvex55/geometry/Remap.h"

#include <algorithm>
#include <cmath>

namespace KORVEX55 {

namespace {

// The source covers [0, width) x [0, height): a centre on the right or
// bottom edge lies outside, as the pixel beyond it would.
bool Inside(const PixelView& source, PointD p)
{
    return p.x >= 0 && p.y >= 0 && p.x < source.width && p.y < source.height;
}

int32_t ClampIndex(double value, int32_t size)
{
    return static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(size - 1)));
}

void Nearest(const PixelView& source, PointD p, const PixelView& destination, int32_t x, int32_t y)
{
    const int32_t sx = ClampIndex(std::floor(p.x), source.width);
    const int32_t sy = ClampIndex(std::floor(p.y), source.height);
    for (int32_t c = 0; c < source.Channels(); ++c)
        destination.Set(x, y, c, source.Get(sx, sy, c));
}

void Bilinear(const PixelView& source, PointD p, const PixelView& destination, int32_t x, int32_t y)
{
    const double u = p.x - 0.5;
    const double v = p.y - 0.5;
    const double fx0 = std::floor(u);
    const double fy0 = std::floor(v);
    const double ax = u - fx0;
    const double ay = v - fy0;
    const int32_t x0 = ClampIndex(fx0, source.width);
    const int32_t x1 = ClampIndex(fx0 + 1, source.width);
    const int32_t y0 = ClampIndex(fy0, source.height);
    const int32_t y1 = ClampIndex(fy0 + 1, source.height);
    for (int32_t c = 0; c < source.Channels(); ++c) {
        const double top = source.Get(x0, y0, c) * (1 - ax) + source.Get(x1, y0, c) * ax;
        const double bottom = source.Get(x0, y1, c) * (1 - ax) + source.Get(x1, y1, c) * ax;
        const double value = top * (1 - ay) + bottom * ay;
        destination.Set(x, y, c, static_cast<uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0)));
    }
}

}  // namespace

void Remap(const PixelView& source, const PixelView& destination, const Matrix3& destinationToSource,
           int32_t interpolation)
{
    for (int32_t y = 0; y < destination.height; ++y)
        for (int32_t x = 0; x < destination.width; ++x) {
            const PointD centre{x + 0.5, y + 0.5};
            if (Divisor(destinationToSource, centre) == 0)
                continue;
            const PointD p = Apply(destinationToSource, centre);
            if (!Inside(source, p))
                continue;
            if (interpolation == kInterpolationBilinear)
                Bilinear(source, p, destination, x, y);
            else
                Nearest(source, p, destination, x, y);
        }
}

}  // namespace KORVEX55
