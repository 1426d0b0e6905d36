// The five-point brightness and contrast curve and the tables made from it.
#pragma once

#include <cstdint>

#include "foundation/geometry/Geometry.h"
#include "platform/WinTypes.h"

namespace ZAV {

constexpr int kCurvePoints = 5;

// The curve over the values low..high (middle = the middle value) for a
// brightness and a contrast in -1..1 (values beyond are limited): its five
// control points, and one (x, y) pair per input value in the table.
void BuildBrightnessContrastCurve(double brightness, double contrast, CPointD (&points)[kCurvePoints],
                                  int32_t tableSize, double low, double high, double middle, CPointD* table);

// Straight pieces between neighbouring points written into the table, each y
// limited to low..high. A piece whose points share an x has no slope and is
// skipped, so the curve steps there.
void InterpolateCurvePieces(const CPointD* points, int32_t pointCount, CPointD* table, int32_t tableSize,
                            double low, double high);

// The curve over 0..255 (256 bytes) and over 0..65,535 (65,536 values), each y
// truncated.
void BuildCurveTable8(BYTE* table, double brightness, double contrast);
void BuildCurveTable16(uint16_t* table, double brightness, double contrast);

}  // namespace ZAV
