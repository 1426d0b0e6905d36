// Hue (degrees, -1 for a colour without one), saturation and value (0..1)
// of 8-bit red, green and blue, and back.
#pragma once

#include "platform/WinTypes.h"

namespace ZAV {

void RgbToHsv(BYTE red, BYTE green, BYTE blue, double& hue, double& saturation, double& value);
void HsvToRgb(double hue, double saturation, double value, BYTE& red, BYTE& green, BYTE& blue);

}  // namespace ZAV
