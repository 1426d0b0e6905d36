#include "outside/korvex55/core/ImageView.h"

#include "outside/korvex55/core/Failure.h"

namespace KORVEX55 {

bool IsKnownDepth(int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 8:
    case 9:
    case 16:
    case 24:
    case 32:
    case 48:
        return true;
    default:
        return false;
    }
}

bool SameLayout(int32_t firstBitsPerPixel, int32_t secondBitsPerPixel)
{
    auto layout = [](int32_t bitsPerPixel) { return bitsPerPixel == 9 ? 8 : bitsPerPixel; };
    return layout(firstBitsPerPixel) == layout(secondBitsPerPixel);
}

int32_t ChannelCount(int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 24:
    case 48:
        return 3;
    case 32:
        return 4;
    default:
        return 1;
    }
}

int64_t UnpaddedBytesPerLine(int32_t width, int32_t bitsPerPixel)
{
    const int32_t storedBits = bitsPerPixel == 9 ? 8 : bitsPerPixel;
    return (static_cast<int64_t>(width) * storedBits + 7) / 8;
}

int64_t SampleBytesPerLine(const ImageView& image)
{
    return UnpaddedBytesPerLine(image.width, image.bitsPerPixel);
}

std::string Describe(const ImageView& image)
{
    if (image.Empty())
        return "no image";
    return Format("%d x %d pixels at %d bits per pixel", image.width, image.height, image.bitsPerPixel);
}

}  // namespace KORVEX55
