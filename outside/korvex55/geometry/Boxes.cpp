#include "outside/korvex55/geometry/Boxes.h"

#include <algorithm>
#include <cmath>

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

namespace {

// Every corner's divisor has one sign and keeps clear of zero.
bool CornersBeforeHorizon(const Matrix3& map, const PointD (&corners)[4])
{
    int positive = 0;
    int negative = 0;
    for (const PointD& corner : corners) {
        const double w = Divisor(map, corner);
        positive += w > 1e-12;
        negative += w < -1e-12;
    }
    return positive == 4 || negative == 4;
}

bool WithinPixelLimit(const Box& box)
{
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (!std::isfinite(width) || !std::isfinite(height))
        return false;
    const double limit = static_cast<double>(kMaxPixels);
    return width <= limit && height <= limit && width * height <= limit;
}

}  // namespace

Matrix3 RotationAboutCentre(int32_t width, int32_t height, double degrees)
{
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    return Multiply(Translation(cx, cy), Multiply(Rotation(degrees), Translation(-cx, -cy)));
}

BoxProblem CornerBox(const Matrix3& map, int32_t width, int32_t height, Box& box)
{
    const PointD corners[4] = {{0, 0}, {double(width), 0}, {double(width), double(height)}, {0, double(height)}};
    if (!CornersBeforeHorizon(map, corners))
        return BoxProblem::kHorizon;
    const PointD first = Apply(map, corners[0]);
    box = {first.x, first.y, first.x, first.y};
    for (const PointD& corner : corners) {
        const PointD p = Apply(map, corner);
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    if (!std::isfinite(box.left) || !std::isfinite(box.top) || !WithinPixelLimit(box))
        return BoxProblem::kTooLarge;
    return BoxProblem::kNone;
}

std::string Describe(BoxProblem problem)
{
    if (problem == BoxProblem::kHorizon)
        return "a corner of the picture is mapped to infinity";
    return "the box exceeds the limit of " + std::to_string(kMaxPixels) + " pixels";
}

}  // namespace KORVEX55
