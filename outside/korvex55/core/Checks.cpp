#include "outside/korvex55/core/Checks.h"

#include <algorithm>
#include <string>

#include "outside/korvex55/core/Failure.h"

namespace KORVEX55 {

const ImageView& RequireImage(const Processor& processor, const char* role)
{
    if (!processor.HasImage())
        Fail(kStatusNoImage, Format("the %s holds no image!", role));
    return processor.Image();
}

void RequireDepth(const ImageView& image, const char* role, std::initializer_list<int32_t> allowed)
{
    if (std::find(allowed.begin(), allowed.end(), image.bitsPerPixel) != allowed.end())
        return;
    std::string list;
    for (int32_t depth : allowed)
        list += (list.empty() ? "" : ", ") + std::to_string(depth);
    Fail(kStatusDepthMismatch,
         Format("the %s has %d bits per pixel; allowed are %s!", role, image.bitsPerPixel, list.c_str()));
}

const ImageView& RequireOwnImage(const Processor& self, std::initializer_list<int32_t> allowed)
{
    const ImageView& image = RequireImage(self, "object");
    RequireDepth(image, "image", allowed);
    return image;
}

void RequireSameShape(const ImageView& image, const char* role, const ImageView& other, const char* otherRole)
{
    const bool sameSize = image.width == other.width && image.height == other.height;
    if (sameSize && SameLayout(image.bitsPerPixel, other.bitsPerPixel))
        return;
    Fail(sameSize ? kStatusDepthMismatch : kStatusSizeMismatch,
         Format("the %s is %s, the %s %s; they must agree!", role, Describe(image).c_str(), otherRole,
                Describe(other).c_str()));
}

void RequireRange(int32_t value, const char* what, int32_t lowest, int32_t highest)
{
    if (value < lowest || value > highest)
        Fail(kStatusBadValue, Format("the %s %d lies outside %d to %d!", what, value, lowest, highest));
}

}  // namespace KORVEX55
