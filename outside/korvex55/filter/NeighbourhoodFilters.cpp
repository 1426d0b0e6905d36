#include "outside/korvex55/filter/NeighbourhoodFilters.h"

#include <algorithm>
#include <cstdlib>

#include "outside/korvex55/core/Rows.h"

namespace KORVEX55 {

namespace {

// Sample c at (x, y) with the picture's edge repeated outwards.
uint8_t ReplicatedSample(const PixelView& view, int64_t x, int64_t y, int32_t c)
{
    const int32_t cx = static_cast<int32_t>(std::clamp<int64_t>(x, 0, view.width - 1));
    const int32_t cy = static_cast<int32_t>(std::clamp<int64_t>(y, 0, view.height - 1));
    return view.Row(cy)[static_cast<ptrdiff_t>(cx) * view.Channels() + c];
}

int64_t WeightedSum(const PixelView& source, const Kernel& kernel, int32_t x, int32_t y, int32_t c)
{
    int64_t sum = 0;
    for (int32_t j = 0; j < kernel.height; ++j) {
        const int64_t sy = static_cast<int64_t>(y) + j - kernel.anchorY;
        for (int32_t i = 0; i < kernel.width; ++i) {
            const int32_t weight = kernel.weights[static_cast<size_t>(j) * kernel.width + i];
            if (weight != 0)
                sum += static_cast<int64_t>(weight) * ReplicatedSample(source, int64_t(x) + i - kernel.anchorX, sy, c);
        }
    }
    return sum;
}

// The nine samples around (x, y), sorted.
void SortedNeighbourhood(const PixelView& source, int32_t x, int32_t y, int32_t c, uint8_t (&values)[9])
{
    int32_t n = 0;
    for (int32_t dy = -1; dy <= 1; ++dy)
        for (int32_t dx = -1; dx <= 1; ++dx)
            values[n++] = ReplicatedSample(source, int64_t(x) + dx, int64_t(y) + dy, c);
    std::sort(values, values + 9);
}

// Every sample of the destination becomes filtered(x, y, c).
template <typename Filtered>
void FilterEachSample(const PixelView& source, const PixelView& destination, Filtered filtered)
{
    const int32_t channels = source.Channels();
    for (int32_t y = 0; y < source.height; ++y) {
        uint8_t* out = destination.Row(y);
        for (int32_t x = 0; x < source.width; ++x)
            for (int32_t c = 0; c < channels; ++c)
                out[static_cast<ptrdiff_t>(x) * channels + c] = filtered(x, y, c);
    }
}

}  // namespace

void Convolve(const PixelView& source, const PixelView& destination, const Kernel& kernel)
{
    FilterEachSample(source, destination, [&](int32_t x, int32_t y, int32_t c) {
        int64_t value = DivideRounded(WeightedSum(source, kernel, x, y, c), kernel.divisor);
        if (kernel.magnitude)
            value = std::llabs(value);
        return SaturateByte(value);
    });
}

void RankFilter3x3(const PixelView& source, const PixelView& destination, int32_t kind)
{
    const int32_t pick = kind == kFilterMinimum ? 0 : kind == kFilterMaximum ? 8 : 4;
    uint8_t values[9];
    FilterEachSample(source, destination, [&](int32_t x, int32_t y, int32_t c) {
        SortedNeighbourhood(source, x, y, c, values);
        return values[pick];
    });
}

void Antialias(const PixelView& source, const PixelView& destination)
{
    const Kernel gauss = PredefinedKernel(kFilterGauss3);
    uint8_t values[9];
    FilterEachSample(source, destination, [&](int32_t x, int32_t y, int32_t c) {
        SortedNeighbourhood(source, x, y, c, values);
        const bool edge = values[8] - values[0] > kAntialiasContrast;
        return edge ? SaturateByte(DivideRounded(WeightedSum(source, gauss, x, y, c), gauss.divisor))
                    : ReplicatedSample(source, x, y, c);
    });
}

}  // namespace KORVEX55
