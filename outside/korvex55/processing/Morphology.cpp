#include "outside/korvex55/processing/Morphology.h"

#include <algorithm>

namespace KORVEX55 {

namespace {

template <typename Pick>
void RankOverElement(const PixelView& source, const PixelView& destination, const StructuringElement& element,
                     uint8_t start, Pick pick)
{
    const int32_t anchorX = element.width / 2;
    const int32_t anchorY = element.height / 2;
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x)
            for (int32_t c = 0; c < source.Channels(); ++c) {
                uint8_t result = start;
                for (int32_t j = 0; j < element.height; ++j)
                    for (int32_t i = 0; i < element.width; ++i) {
                        if (element.mask[static_cast<size_t>(j) * element.width + i] == 0)
                            continue;
                        const int32_t sx =
                            static_cast<int32_t>(std::clamp<int64_t>(int64_t(x) + i - anchorX, 0, source.width - 1));
                        const int32_t sy =
                            static_cast<int32_t>(std::clamp<int64_t>(int64_t(y) + j - anchorY, 0, source.height - 1));
                        result = pick(result, source.Get(sx, sy, c));
                    }
                destination.Set(x, y, c, result);
            }
}

}  // namespace

StructuringElement Square3x3()
{
    return StructuringElement{3, 3, std::vector<int32_t>(9, 1)};
}

void Erode(const PixelView& source, const PixelView& destination, const StructuringElement& element)
{
    RankOverElement(source, destination, element, 255, [](uint8_t a, uint8_t b) { return std::min(a, b); });
}

void Dilate(const PixelView& source, const PixelView& destination, const StructuringElement& element)
{
    RankOverElement(source, destination, element, 0, [](uint8_t a, uint8_t b) { return std::max(a, b); });
}

}  // namespace KORVEX55
