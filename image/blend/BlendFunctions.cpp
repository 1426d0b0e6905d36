#include "image/blend/BlendFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ZAV {

namespace {

BYTE ClampToByte(int value)
{
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

}  // namespace

BYTE BlendAverage(BYTE a, BYTE b)
{
    return static_cast<BYTE>((a + b) >> 1);
}

BYTE BlendDarken(BYTE a, BYTE b)
{
    return std::min(a, b);
}

BYTE BlendMultiply(BYTE a, BYTE b)
{
    return static_cast<BYTE>((a * b) >> 8);
}

BYTE BlendColorBurn(BYTE a, BYTE b)
{
    if (b == 0)
        return 0;
    return ClampToByte((a - 255) * 256 / b + 255);
}

BYTE BlendSoftBurn(BYTE a, BYTE b)
{
    // a + b >= 256 means b >= 1, so the burn never divides by zero.
    if (a + b >= 256)
        return ClampToByte((a - 255) * 128 / b + 255);
    if (a == 255)
        return 255;
    return ClampToByte(b * 128 / (255 - a));
}

BYTE BlendLighten(BYTE a, BYTE b)
{
    return std::max(a, b);
}

BYTE BlendScreen(BYTE a, BYTE b)
{
    return static_cast<BYTE>(255 - (255 - a) * (255 - b) / 255);
}

BYTE BlendColorDodge(BYTE a, BYTE b)
{
    if (b == 255)
        return 255;
    return ClampToByte(a * 256 / (255 - b));
}

BYTE BlendHardLight(BYTE a, BYTE b)
{
    if (b < 128)
        return static_cast<BYTE>((a * (2 * b)) >> 8);
    return static_cast<BYTE>(255 - (255 - (2 * b - 255)) * (255 - a) / 255);
}

BYTE BlendOverlay(BYTE a, BYTE b)
{
    return BlendHardLight(b, a);
}

BYTE BlendReflect(BYTE a, BYTE b)
{
    if (a == 255)
        return 255;
    return ClampToByte(b * b / (255 - a));
}

BYTE BlendLinearLight(BYTE a, BYTE b)
{
    return ClampToByte(a + 2 * b - 256);
}

BYTE BlendDifference(BYTE a, BYTE b)
{
    return static_cast<BYTE>(std::abs(a - b));
}

BYTE BlendExclusion(BYTE a, BYTE b)
{
    return ClampToByte(b - ((a * b) >> 7) + a);
}

double SoftLightChannel(double p, double q)
{
    if (q <= 0.5)
        return p - (1 - p) * ((1 - 2 * q) * p);
    const double d = 2 * q - 1;
    if (p <= 0.25)
        return (((16 * p - 12) * p + 4) * p - p) * d + p;
    return (std::sqrt(p) - p) * d + p;
}

BYTE SoftLightBlend(BYTE a, BYTE b)
{
    const double value = SoftLightChannel(a / 255.0, b / 255.0) * 255.0;
    return ClampToByte(static_cast<int>(std::lround(value)));
}

}  // namespace ZAV
