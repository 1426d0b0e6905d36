#include "interfaces/advanced/facets/AIPBoxSize.h"

#include <cmath>
#include <limits>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"

namespace ZAV {

namespace {

// Bytes of an unpadded image of this size; computed in doubles so that a
// box of any size compares without overflow.
double ImageBytes(double width, double height, int32_t bitsPerPixel)
{
    return std::ceil(width * bitsPerPixel / 8.0) * height;
}

[[noreturn]] void ThrowBoxTooLarge(double width, double height)
{
    String text;
    text.Format("The transformed image of %.0f x %.0f pixels is too large!", width, height);
    ThrowTextException(text.GetText());
}

}  // namespace

bool SizeOfBox(const AIPBox& box, int32_t bitsPerPixel, AIPImageSize& size)
{
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (!std::isfinite(width) || !std::isfinite(height))
        ThrowTextException("The transformed image has no finite size!");
    if (width < 1.0 || height < 1.0)
        return false;
    constexpr double kLargestSide = std::numeric_limits<int32_t>::max();
    const int32_t depth = bitsPerPixel > 0 ? bitsPerPixel : 1;
    if (width > kLargestSide || height > kLargestSide ||
        ImageBytes(std::trunc(width), std::trunc(height), depth) > static_cast<double>(kMaxImageBytes))
        ThrowBoxTooLarge(width, height);
    size.width = static_cast<int32_t>(width);
    size.height = static_cast<int32_t>(height);
    return true;
}

}  // namespace ZAV
