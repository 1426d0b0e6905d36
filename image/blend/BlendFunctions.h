// The blend functions of the PSD layer modes: two bytes in, one byte out,
// a the base value and b the value laid over it. All but the soft light are
// integer arithmetic whose divisions truncate towards zero, so a table built
// from them is the same on every machine.
#pragma once

#include "platform/WinTypes.h"

namespace ZAV {

using BlendFunction = BYTE (*)(BYTE a, BYTE b);

// (a + b) >> 1
BYTE BlendAverage(BYTE a, BYTE b);
BYTE BlendDarken(BYTE a, BYTE b);
// (a x b) >> 8
BYTE BlendMultiply(BYTE a, BYTE b);
// 0 for b = 0; else (a - 255) x 256 / b + 255, at least 0.
BYTE BlendColorBurn(BYTE a, BYTE b);
// Burns with half the strength above a + b = 256, dodges below it.
BYTE BlendSoftBurn(BYTE a, BYTE b);
BYTE BlendLighten(BYTE a, BYTE b);
// 255 - (255 - a) x (255 - b) / 255
BYTE BlendScreen(BYTE a, BYTE b);
// 255 for b = 255; else a x 256 / (255 - b), at most 255.
BYTE BlendColorDodge(BYTE a, BYTE b);
// Multiplies below b = 128, screens from there on.
BYTE BlendHardLight(BYTE a, BYTE b);
// Hard light with the roles of a and b exchanged.
BYTE BlendOverlay(BYTE a, BYTE b);
// 255 for a = 255; else b x b / (255 - a), at most 255.
BYTE BlendReflect(BYTE a, BYTE b);
// a + 2b - 256, limited to 0..255.
BYTE BlendLinearLight(BYTE a, BYTE b);
BYTE BlendDifference(BYTE a, BYTE b);
// b - ((a x b) >> 7) + a, limited to 0..255.
BYTE BlendExclusion(BYTE a, BYTE b);

// The soft light of one channel, base p and layer q in 0..1 (the W3C
// compositing formula, with its cubic for dark bases).
double SoftLightChannel(double p, double q);
// SoftLightChannel of a / 255 and b / 255, times 255 rounded to the nearest
// byte.
BYTE SoftLightBlend(BYTE a, BYTE b);

}  // namespace ZAV
