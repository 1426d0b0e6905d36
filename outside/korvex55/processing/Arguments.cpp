#include "outside/korvex55/processing/Arguments.h"

#include <cmath>

namespace KORVEX55 {

void RequireFinite(double value, const char* what)
{
    if (!std::isfinite(value))
        Fail(kStatusBadValue, Format("the %s %g is not a finite number!", what, value));
}

void RequireSameSize(const ImageView& image, const char* role, const ImageView& other, const char* otherRole)
{
    if (image.width == other.width && image.height == other.height)
        return;
    Fail(kStatusSizeMismatch, Format("the %s is %s, the %s %s; their sizes must agree!", role, Describe(image).c_str(),
                                     otherRole, Describe(other).c_str()));
}

void RequireSameDepth(const ImageView& image, const char* role, const ImageView& other, const char* otherRole)
{
    if (SameLayout(image.bitsPerPixel, other.bitsPerPixel))
        return;
    Fail(kStatusDepthMismatch, Format("the %s is %s, the %s %s; their depths must agree!", role,
                                      Describe(image).c_str(), otherRole, Describe(other).c_str()));
}

namespace {

constexpr std::initializer_list<int32_t> kPictureDepths = {1, 8, 9, 24, 32};

}  // namespace

const ImageView& RequirePicture(const SourceImage& source)
{
    RequireDepth(source.View(), "source", kPictureDepths);
    return source.View();
}

const ImageView& RequireOwnPicture(const Processor& self)
{
    return RequireOwnImage(self, kPictureDepths);
}

void RequireRectInside(const Rect& rect, const char* what, const ImageView& image, const char* role)
{
    const bool inside = rect.width >= 1 && rect.height >= 1 && rect.x >= 0 && rect.y >= 0 &&
                        int64_t(rect.x) + rect.width <= image.width && int64_t(rect.y) + rect.height <= image.height;
    if (!inside)
        Fail(kStatusBadValue, Format("the %s of %d x %d pixels at (%d, %d) does not lie inside the %s of %s!", what,
                                     rect.width, rect.height, rect.x, rect.y, role, Describe(image).c_str()));
}

void RequireOneByteOfSize(const ImageView& image, const char* role, const ImageView& model, const char* modelRole)
{
    RequireDepth(image, role, {8, 9});
    RequireSameSize(image, role, model, modelRole);
}

}  // namespace KORVEX55
