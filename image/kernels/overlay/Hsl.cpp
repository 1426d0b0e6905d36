#include "image/kernels/overlay/Hsl.h"

#include <algorithm>
#include <cmath>

namespace ZAV {

namespace {

// Differences below this are rounding noise of the 0..1 channel values.
constexpr double kEpsilon = 1e-9;

bool IsZero(double value)
{
    return std::fabs(value) < kEpsilon;
}

BYTE ToByte(double unit)
{
    // Channels stay within 0..1; the clamp only guards against rounding.
    return static_cast<BYTE>(std::clamp(unit * 255.0, 0.0, 255.0));
}

}  // namespace

double HslHue(double minimum, double maximum, double red, double green, double blue)
{
    const double delta = maximum - minimum;
    if (IsZero(delta))
        return 0;
    double sector;
    if (IsZero(red - maximum))
        sector = (green - blue) / delta;
    else if (IsZero(green - maximum))
        sector = (blue - red) / delta + 2;
    else
        sector = (red - green) / delta + 4;
    if (sector < 0)
        sector += 6;
    return sector * 60;
}

CHsl RgbToHsl(BYTE red, BYTE green, BYTE blue)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double maximum = std::max({r, g, b});
    const double minimum = std::min({r, g, b});
    CHsl hsl;
    hsl.lightness = (maximum + minimum) * 0.5;
    if (IsZero(1 - hsl.lightness))
    {
        hsl.lightness = 1;
        return hsl;
    }
    if (IsZero(hsl.lightness))
    {
        hsl.lightness = 0;
        return hsl;
    }
    double halfRange = (maximum - minimum) * 0.5;
    if (IsZero(halfRange))
        halfRange = 0;
    hsl.saturation = halfRange / (hsl.lightness < 0.5 ? hsl.lightness : 1 - hsl.lightness);
    if (IsZero(hsl.saturation))
    {
        hsl.saturation = 0;
        return hsl;
    }
    hsl.hue = HslHue(minimum, maximum, r, g, b);
    return hsl;
}

void HueToRgb(double low, double high, double hue, double& red, double& green, double& blue)
{
    while (hue < 0)
        hue += 360;
    const int sector = static_cast<int>(hue / 60);
    const double fraction = (hue - 60.0 * sector) / 60;
    const double up = low + fraction * (high - low);
    const double down = high - fraction * (high - low);
    switch (sector % 6)
    {
    case 0: red = high, green = up, blue = low; break;
    case 1: red = down, green = high, blue = low; break;
    case 2: red = low, green = high, blue = up; break;
    case 3: red = low, green = down, blue = high; break;
    case 4: red = up, green = low, blue = high; break;
    default: red = high, green = low, blue = down; break;
    }
}

void HslToRgb(const CHsl& hsl, BYTE& red, BYTE& green, BYTE& blue)
{
    const double l = hsl.lightness;
    if (IsZero(l - 1))
    {
        red = green = blue = 255;
        return;
    }
    if (IsZero(l))
    {
        red = green = blue = 0;
        return;
    }
    const double chroma = l >= 0.5 ? (1 - l) * hsl.saturation : hsl.saturation * l;
    if (IsZero(chroma))
    {
        red = green = blue = ToByte(l);
        return;
    }
    double r, g, b;
    HueToRgb(l - chroma, l + chroma, hsl.hue, r, g, b);
    red = ToByte(r);
    green = ToByte(g);
    blue = ToByte(b);
}

void CombineColorMode(BYTE baseRed, BYTE baseGreen, BYTE baseBlue, BYTE otherRed, BYTE otherGreen,
                      BYTE otherBlue, int mode, BYTE& red, BYTE& green, BYTE& blue)
{
    CHsl base = RgbToHsl(baseRed, baseGreen, baseBlue);
    const CHsl other = RgbToHsl(otherRed, otherGreen, otherBlue);
    if (mode == kColorModeHue || mode == kColorModeColor)
        base.hue = other.hue;
    if (mode == kColorModeSaturation || mode == kColorModeColor)
        base.saturation = other.saturation;
    if (mode == kColorModeLuminosity)
        base.lightness = other.lightness;
    HslToRgb(base, red, green, blue);
}

}  // namespace ZAV
