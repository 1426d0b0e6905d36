// The colour formulas, on 8-bit samples, every result rounded to the nearest
// integer and saturated to 0..255.
#pragma once

#include <cstdint>

namespace KORVEX55 {

struct Triple {
    uint8_t first, second, third;
};

// (299 R + 587 G + 114 B + 500) / 1000.
uint8_t GreyOf(uint8_t red, uint8_t green, uint8_t blue);

// ITU-R BT.601 luma and colour differences, full range (as JFIF): Y, Cb, Cr
// with Cb and Cr centred on 128.
Triple RgbToYcc(uint8_t red, uint8_t green, uint8_t blue);
Triple YccToRgb(uint8_t luma, uint8_t blueDifference, uint8_t redDifference);

// CIE XYZ of sRGB (IEC 61966-2-1, white D65) from the stored samples, each of
// X, Y, Z divided by the white point's so that white gives 255, 255, 255.
Triple RgbToXyz(uint8_t red, uint8_t green, uint8_t blue);
Triple XyzToRgb(uint8_t x, uint8_t y, uint8_t z);

// 255 (v / 255)^(100 / value): value is the gamma times 100.
void BuildGammaTable(int32_t value, uint8_t table[256]);

}  // namespace KORVEX55
