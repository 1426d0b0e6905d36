// Entry points of the geometry group: Resize .. WarpPerspective.
#include <cmath>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/geometry/AreaResample.h"
#include "outside/korvex55/geometry/ProjectiveMap.h"
#include "outside/korvex55/geometry/Remap.h"
#include "outside/korvex55/geometry/Transforms.h"
#include "outside/korvex55/processing/Arguments.h"

using namespace KORVEX55;

namespace {

constexpr int32_t kCoefficientCount = 9;

void RequireMode(int32_t mode)
{
    RequireRange(mode, "mode", kInterpolationNearest, kInterpolationBilinear);
}

void FailFor(BoxProblem problem)
{
    if (problem != BoxProblem::kNone)
        Fail(problem == BoxProblem::kHorizon ? kStatusBadValue : kStatusTooLarge, Describe(problem) + "!");
}

void CheckedBox(const Matrix3& map, const ImageView& source, Box& box)
{
    FailFor(CornerBox(map, source.width, source.height, box));
}

void WriteBox(const Box& box, double* left, double* top, double* right, double* bottom)
{
    RequirePointer(left, "left");
    RequirePointer(top, "top");
    RequirePointer(right, "right");
    RequirePointer(bottom, "bottom");
    *left = box.left;
    *top = box.top;
    *right = box.right;
    *bottom = box.bottom;
}

Matrix3 CoefficientMap(const double* coefficients, int32_t count)
{
    RequirePointer(coefficients, "coefficients");
    RequireRange(count, "coefficient count", kCoefficientCount, kCoefficientCount);
    Matrix3 map;
    for (int32_t i = 0; i < kCoefficientCount; ++i) {
        RequireFinite(coefficients[i], "coefficient");
        map.m[i] = coefficients[i];
    }
    return map;
}

// The object's image as the destination of a source-sized map: an image of
// the source's depth is drawn into as it is; without an image the object
// gets one of the box's size, cut to whole pixels.
const ImageView& Destination(Processor& self, const ImageView& source, const Matrix3& sourceMap)
{
    if (self.HasImage()) {
        RequireSameDepth(source, "source", self.Image(), "image");
        return self.Image();
    }
    Box box;
    CheckedBox(sourceMap, source, box);
    const double width = std::trunc(box.right - box.left);
    const double height = std::trunc(box.bottom - box.top);
    if (width < 1 || height < 1)
        Fail(kStatusBadValue,
             Format("the box of %g x %g pixels holds no pixel!", box.right - box.left, box.bottom - box.top));
    return self.PrepareDestination(static_cast<int32_t>(width), static_cast<int32_t>(height), source.bitsPerPixel);
}

void Transform(const ImageView& source, const ImageView& destination, const Matrix3& map, int32_t mode)
{
    const std::string refusal = TransformPicture(ViewOf(source), ViewOf(destination), map, mode);
    if (!refusal.empty())
        Fail(kStatusBadValue, refusal + "!");
}

// Draws the source through a map whose placement needs the destination's
// size, which Destination settles from the centred map first.
template <typename MapFor>
void Draw(Processor& self, KORV_Handle sourceHandle, const Matrix3& centred, int32_t mode, MapFor mapFor)
{
    RequireMode(mode);
    const SourceImage source(self, Operand(sourceHandle));
    const ImageView& in = RequirePicture(source);
    const ImageView& out = Destination(self, in, centred);
    Transform(in, out, mapFor(in, out), mode);
}

// Known before the destination is made, so a refused map changes nothing.
void RequireInvertible(const Matrix3& map)
{
    Matrix3 inverse;
    if (!Invert(map, inverse))
        Fail(kStatusBadValue, "the map has no inverse!");
}

Matrix3 BoxedOrFail(const Matrix3& map, const ImageView& source)
{
    Matrix3 boxed;
    FailFor(BoxedMap(map, ViewOf(source), boxed));
    return boxed;
}

void ReadCorners(const double* corners, int32_t count, const ImageView& source, PointPair (&pairs)[4])
{
    RequirePointer(corners, "corners");
    if (count != 8 && count != 16)
        Fail(kStatusBadValue, Format("the corner count %d is neither 8 nor 16!", count));
    for (int32_t i = 0; i < count; ++i)
        RequireFinite(corners[i], "corner coordinate");
    const PointD own[4] = {
        {0, 0}, {double(source.width), 0}, {double(source.width), double(source.height)}, {0, double(source.height)}};
    for (int32_t i = 0; i < 4; ++i) {
        if (count == 8)
            pairs[i] = {own[i], {corners[2 * i], corners[2 * i + 1]}};
        else
            pairs[i] = {{corners[4 * i], corners[4 * i + 1]}, {corners[4 * i + 2], corners[4 * i + 3]}};
    }
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode)
{
    return RunOperation(handle, "Resize", [&](Processor& self) {
        if (mode != kInterpolationArea)
            RequireMode(mode);
        RequireRange(width, "width", 1, INT32_MAX);
        RequireRange(height, "height", 1, INT32_MAX);
        if (int64_t(width) * height > kMaxPixels)
            Fail(kStatusTooLarge, Format("%d x %d pixels exceed the limit of %lld pixels!", width, height,
                                         static_cast<long long>(kMaxPixels)));
        const SourceImage picture(self, Operand(source));
        const ImageView& in = RequirePicture(picture);
        const ImageView& out = self.PrepareDestination(width, height, in.bitsPerPixel);
        if (mode == kInterpolationArea)
            ResizeByArea(ViewOf(in), ViewOf(out));
        else
            ResizePicture(ViewOf(in), ViewOf(out), mode);
    });
}

KORV_API KORV_Status KORV_MirrorHorizontal(KORV_Handle handle)
{
    return RunOperation(handle, "MirrorHorizontal",
                        [&](Processor& self) { MirrorLeftRight(ViewOf(RequireOwnPicture(self))); });
}

KORV_API KORV_Status KORV_MirrorVertical(KORV_Handle handle)
{
    return RunOperation(handle, "MirrorVertical",
                        [&](Processor& self) { MirrorTopBottom(ViewOf(RequireOwnPicture(self))); });
}

KORV_API KORV_Status KORV_RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                                    double* right, double* bottom)
{
    return RunOperation(handle, "RotateBox", [&](Processor&) {
        RequireFinite(angle, "angle");
        const ImageView& in = RequireImage(Operand(source), "source");
        Box box;
        CheckedBox(RotationAboutCentre(in.width, in.height, angle), in, box);
        WriteBox(box, left, top, right, bottom);
    });
}

KORV_API KORV_Status KORV_ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                                   double* top, double* right, double* bottom)
{
    return RunOperation(handle, "ShearBox", [&](Processor&) {
        RequireFinite(shearX, "horizontal shear");
        RequireFinite(shearY, "vertical shear");
        const ImageView& in = RequireImage(Operand(source), "source");
        Box box;
        CheckedBox(Shearing(shearX, shearY), in, box);
        WriteBox(box, left, top, right, bottom);
    });
}

KORV_API KORV_Status KORV_WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                             int32_t coefficientCount, double* left, double* top, double* right,
                                             double* bottom)
{
    return RunOperation(handle, "WarpPerspectiveBox", [&](Processor&) {
        const Matrix3 map = CoefficientMap(coefficients, coefficientCount);
        const ImageView& in = RequireImage(Operand(source), "source");
        Box box;
        CheckedBox(map, in, box);
        WriteBox(box, left, top, right, bottom);
    });
}

KORV_API KORV_Status KORV_WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                                      int32_t cornerCount, double* coefficients,
                                                      int32_t coefficientCount)
{
    return RunOperation(handle, "WarpPerspectiveCoefficients", [&](Processor&) {
        RequirePointer(coefficients, "coefficients");
        if (coefficientCount < kCoefficientCount)
            Fail(kStatusBadValue,
                 Format("room for %d coefficients is less than the %d written!", coefficientCount, kCoefficientCount));
        PointPair pairs[4];
        ReadCorners(corners, cornerCount, RequireImage(Operand(source), "source"), pairs);
        Matrix3 map;
        const std::string refusal = SolveProjectiveMap(pairs, map);
        if (!refusal.empty())
            Fail(kStatusBadValue, refusal + "!");
        for (int32_t i = 0; i < kCoefficientCount; ++i)
            coefficients[i] = map.m[i];
    });
}

KORV_API KORV_Status KORV_Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode)
{
    return RunOperation(handle, "Rotate", [&](Processor& self) {
        RequireFinite(angle, "angle");
        const ImageView& in = RequireImage(Operand(source), "source");
        Draw(self, source, RotationAboutCentre(in.width, in.height, angle), mode,
             [&](const ImageView& from, const ImageView& to) { return RotateMap(ViewOf(from), ViewOf(to), angle); });
    });
}

KORV_API KORV_Status KORV_RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1,
                                       int32_t value2, int32_t value3)
{
    return RunOperation(handle, "RotateCenter", [&](Processor& self) {
        RequireFinite(angle, "angle");
        const ImageView& in = RequireImage(Operand(source), "source");
        Draw(self, source, RotationAboutCentre(in.width, in.height, angle), value3,
             [&](const ImageView& from, const ImageView& to) {
                 return RotateAboutPointMap(ViewOf(from), ViewOf(to), angle, value1, value2);
             });
    });
}

KORV_API KORV_Status KORV_Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode)
{
    return RunOperation(handle, "Shear", [&](Processor& self) {
        RequireFinite(shearX, "horizontal shear");
        RequireFinite(shearY, "vertical shear");
        const Matrix3 map = Shearing(shearX, shearY);
        RequireInvertible(map);
        Draw(self, source, map, mode, [&](const ImageView& from, const ImageView&) { return BoxedOrFail(map, from); });
    });
}

KORV_API KORV_Status KORV_WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                          int32_t coefficientCount, int32_t mode)
{
    return RunOperation(handle, "WarpPerspective", [&](Processor& self) {
        const Matrix3 map = CoefficientMap(coefficients, coefficientCount);
        RequireInvertible(map);
        Draw(self, source, map, mode, [&](const ImageView& from, const ImageView&) { return BoxedOrFail(map, from); });
    });
}

}  // extern "C"
