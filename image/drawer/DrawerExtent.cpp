#include "image/drawer/DrawerExtent.h"

#include <cmath>
#include <limits>

#include "image/core/ImageLimits.h"

namespace ZAV {

namespace {

constexpr int64_t kInt32Low = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32High = std::numeric_limits<int32_t>::max();

bool WithinCeiling(int64_t value)
{
    return value >= -kMaxDrawExtent && value <= kMaxDrawExtent;
}

}  // namespace

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(value < kInt32Low ? kInt32Low : value > kInt32High ? kInt32High : value);
}

int32_t ClampToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(kInt32Low))
        return static_cast<int32_t>(kInt32Low);
    if (value >= static_cast<double>(kInt32High))
        return static_cast<int32_t>(kInt32High);
    return static_cast<int32_t>(value);  // truncated toward zero
}

int32_t WithinDrawExtent(int64_t value)
{
    return static_cast<int32_t>(value < -kMaxDrawExtent  ? -kMaxDrawExtent
                                : value > kMaxDrawExtent ? kMaxDrawExtent
                                                         : value);
}

RECT RectFromExtent(int32_t left, int32_t top, int64_t width, int64_t height)
{
    return RECT{left, top, ClampToInt32(int64_t{left} + width), ClampToInt32(int64_t{top} + height)};
}

bool IsDrawableRect(const RECT& rect)
{
    return WithinCeiling(rect.left) && WithinCeiling(rect.top) && WithinCeiling(rect.right) &&
           WithinCeiling(rect.bottom) && WithinCeiling(int64_t{rect.right} - rect.left) &&
           WithinCeiling(int64_t{rect.bottom} - rect.top);
}

}  // namespace ZAV
