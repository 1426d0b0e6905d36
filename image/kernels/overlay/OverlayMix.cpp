#include "image/kernels/overlay/OverlayMix.h"

#include <algorithm>

namespace ZAV {

namespace {

int32_t LimitTo(int64_t value, int32_t size)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::max<int32_t>(size, 0)));
}

}  // namespace

void ClipOverlay(COverlap& overlap, int32_t baseWidth, int32_t baseHeight, int32_t overlayWidth,
                 int32_t overlayHeight, int32_t x, int32_t y)
{
    overlap.x0 = LimitTo(x, baseWidth);
    overlap.x1 = LimitTo(static_cast<int64_t>(x) + overlayWidth, baseWidth);
    overlap.y0 = LimitTo(y, baseHeight);
    overlap.y1 = LimitTo(static_cast<int64_t>(y) + overlayHeight, baseHeight);
}

double LimitOpacity(double opacity)
{
    if (opacity >= 1)
        return 1;
    if (opacity > 0)
        return opacity;
    return 0;  // also for a value that is not a number
}

void BuildOpacityTables(double opacity, COpacityTables& tables)
{
    const double o = LimitOpacity(opacity);
    for (int i = 0; i < 256; ++i)
    {
        tables.overlayPart[i] = i * o;
        tables.basePart[i] = i * (1 - o);
        tables.overlayBytes[i] = static_cast<BYTE>(tables.overlayPart[i]);
        tables.baseBytes[i] = static_cast<BYTE>(tables.basePart[i]);
    }
}

int* BuildSquareTable(int (&table)[kSquareTableSize])
{
    int* middle = table + kMaxChannelDifference;
    for (int d = -kMaxChannelDifference; d <= kMaxChannelDifference; ++d)
        middle[d] = d * d;
    return middle;
}

}  // namespace ZAV
