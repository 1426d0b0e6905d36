// Hue, saturation and lightness of 8-bit colours, and the colour blend modes
// that exchange some of them between two pixels.
#pragma once

#include "platform/WinTypes.h"

namespace ZAV {

// Hue in degrees (0 up to 360), lightness and saturation in 0..1.
struct CHsl {
    double hue = 0;
    double lightness = 0;
    double saturation = 0;
};

// What a colour mode takes from the other pixel.
enum EColorMode {
    kColorModeHue = 1,
    kColorModeSaturation = 2,
    kColorModeColor = 3,  // hue and saturation
    kColorModeLuminosity = 4,
};

CHsl RgbToHsl(BYTE red, BYTE green, BYTE blue);

// The hue of a colour whose channels (0..1) span min..max: red 0, yellow 60,
// green 120, cyan 180, blue 240, magenta 300 degrees; 0 for a gray.
double HslHue(double minimum, double maximum, double red, double green, double blue);

void HslToRgb(const CHsl& hsl, BYTE& red, BYTE& green, BYTE& blue);

// The channels (0..1) of the hue between the lowest and highest channel value.
void HueToRgb(double low, double high, double hue, double& red, double& green, double& blue);

// The base pixel with the hue, saturation or lightness of the other pixel, as
// the mode code says; an unknown code gives the base back through HSL.
void CombineColorMode(BYTE baseRed, BYTE baseGreen, BYTE baseBlue, BYTE otherRed, BYTE otherGreen,
                      BYTE otherBlue, int mode, BYTE& red, BYTE& green, BYTE& blue);

}  // namespace ZAV
