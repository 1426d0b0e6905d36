// Coordinate arithmetic of the drawer in 64 bits: callers hand over any
// 32-bit values and unit factors, and nothing they give may overflow.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

// The value moved into the 32-bit range; NaN becomes 0.
int32_t ClampToInt32(int64_t value);
int32_t ClampToInt32(double value);

// The value moved into -kMaxDrawExtent .. kMaxDrawExtent.
int32_t WithinDrawExtent(int64_t value);

// (left, top, left + width, top + height), each sum clamped into 32 bits.
RECT RectFromExtent(int32_t left, int32_t top, int64_t width, int64_t height);

// True when every coordinate and both extents lie within the drawing
// ceiling, so that sums and differences of them stay within 32 bits.
bool IsDrawableRect(const RECT& rect);

}  // namespace ZAV
