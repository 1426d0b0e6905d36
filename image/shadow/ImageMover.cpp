#include "image/shadow/ImageMover.h"

#include <cmath>

#include "foundation/geometry/Geometry.h"

namespace ZAV {

namespace {

constexpr double kFullOpacity = 100.0;
constexpr int kFast = 1;

}  // namespace

void CImageMover::Move(IShadowImage& image, IShadowImage& layer, double angle, double distance)
{
    const CVector offset(angle, distance);
    const int x = static_cast<int>(std::lround(-offset.x));
    const int y = static_cast<int>(std::lround(offset.y));
    image.OverlayBlended(layer, x, y, kFullOpacity, kFast);
}

}  // namespace ZAV
