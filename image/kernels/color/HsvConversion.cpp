#include "image/kernels/color/HsvConversion.h"

#include <algorithm>
#include <cmath>

namespace ZAV {

void RgbToHsv(BYTE red, BYTE green, BYTE blue, double& hue, double& saturation, double& value)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double high = std::max(r, std::max(g, b));
    const double low = std::min(r, std::min(g, b));
    const double range = high - low;
    value = high;
    saturation = high != 0 ? range / high : 0;
    if (saturation == 0) {
        hue = -1;
        return;
    }
    if (r == high)
        hue = (g - b) / range;
    else if (g == high)
        hue = 2 + (b - r) / range;
    else
        hue = 4 + (r - g) / range;
    hue *= 60;
    if (hue < 0)
        hue += 360;
}

void HsvToRgb(double hue, double saturation, double value, BYTE& red, BYTE& green, BYTE& blue)
{
    double r = value;
    double g = value;
    double b = value;
    if (saturation != 0) {
        const double sector = (hue == 360 ? 0 : hue) / 60;
        const double whole = std::floor(sector);
        const double f = sector - whole;
        const double p = value * (1 - saturation);
        const double q = value * (1 - saturation * f);
        const double t = value * (1 - saturation * (1 - f));
        switch (static_cast<int>(whole)) {
        case 0: r = value; g = t; b = p; break;
        case 1: r = q; g = value; b = p; break;
        case 2: r = p; g = value; b = t; break;
        case 3: r = p; g = q; b = value; break;
        case 4: r = t; g = p; b = value; break;
        default: r = value; g = p; b = q; break;
        }
    }
    red = static_cast<BYTE>(r * 255);
    green = static_cast<BYTE>(g * 255);
    blue = static_cast<BYTE>(b * 255);
}

}  // namespace ZAV
