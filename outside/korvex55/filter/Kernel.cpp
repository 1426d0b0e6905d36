#include "outside/korvex55/filter/Kernel.h"

#include "outside/korvex55/core/Core.h"

namespace KORVEX55 {

namespace {

Kernel Square3(std::vector<int32_t> weights, int64_t divisor, bool magnitude)
{
    Kernel kernel;
    kernel.width = 3;
    kernel.height = 3;
    kernel.anchorX = 1;
    kernel.anchorY = 1;
    kernel.weights = std::move(weights);
    kernel.divisor = divisor;
    kernel.magnitude = magnitude;
    return kernel;
}

// The 5 x 5 binomial kernel: (1 4 6 4 1) by itself, 256 in all.
Kernel Gauss5()
{
    const int32_t row[5] = {1, 4, 6, 4, 1};
    Kernel kernel;
    kernel.width = 5;
    kernel.height = 5;
    kernel.anchorX = 2;
    kernel.anchorY = 2;
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x)
            kernel.weights.push_back(row[y] * row[x]);
    kernel.divisor = 256;
    return kernel;
}

Kernel Box5()
{
    Kernel kernel;
    kernel.width = 5;
    kernel.height = 5;
    kernel.anchorX = 2;
    kernel.anchorY = 2;
    kernel.weights.assign(25, 1);
    kernel.divisor = 25;
    return kernel;
}

}  // namespace

void RequireFilterKind(int32_t kind)
{
    if ((kind < 0 || kind >= kFilterKindCount) && kind != kFilterBox5)
        Fail(kStatusBadValue, Format("the filter kind %d is none of 0 to %d and %d!", kind, kFilterKindCount - 1,
                                     static_cast<int32_t>(kFilterBox5)));
}

bool IsRankKind(int32_t kind)
{
    return kind == kFilterMedian || kind == kFilterMinimum || kind == kFilterMaximum;
}

Kernel PredefinedKernel(int32_t kind)
{
    switch (kind) {
    case kFilterBox3:
        return Square3({1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, false);
    case kFilterGauss3:
        return Square3({1, 2, 1, 2, 4, 2, 1, 2, 1}, 16, false);
    case kFilterGauss5:
        return Gauss5();
    case kFilterBox5:
        return Box5();
    case kFilterSharpen:
        return Square3({0, -1, 0, -1, 5, -1, 0, -1, 0}, 1, false);
    case kFilterLaplace:
        return Square3({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 1, true);
    case kFilterSobelHorizontal:
        return Square3({-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1, true);
    default:
        return Square3({-1, 0, 1, -2, 0, 2, -1, 0, 1}, 1, true);
    }
}

int32_t PredefinedBorder(int32_t kind)
{
    return kind == kFilterGauss5 || kind == kFilterBox5 ? 2 : 1;
}

}  // namespace KORVEX55
