// A filtered value stored into a byte: clamped to 0..255, then truncated
// toward zero.
#pragma once

#include "platform/WinTypes.h"

#include <algorithm>

namespace ZAV {

inline BYTE ClampToByte(double value)
{
    return static_cast<BYTE>(std::min(std::max(value, 0.0), 255.0));
}

}  // namespace ZAV
