// Numbers as text: hexadecimal bytes, and integers and reals read whole,
// with either "." or "," accepted as the decimal point.
#pragma once

#include <cstdint>

#include "foundation/text/String.h"

namespace ZAV {

// Two upper-case hex digits a byte; with a positive limit below the count
// only the first limit bytes.
String BytesToHex(const unsigned char* bytes, int count, int limit);

// The first "," becomes "." (reals written in PDF syntax).
void ReplaceCommaWithPoint(char* text);
// The first "." and the first "," become the locale's decimal point.
void ReplaceCommaWithDecimalPoint(char* text);

// True when the whole text is a number; value holds what was read (0 for
// nothing). An empty text is not a number; neither is an integer beyond the
// 32-bit range (value then holds the nearest limit).
bool ParseDouble(const char* text, double& value);
bool ParseInt(const char* text, int& value);

// Truncates toward zero; values beyond the 32-bit range stop at its ends and
// NaN gives 0, so no value makes the conversion undefined.
int32_t TruncateToInt(double value);

// The number, or the default when the text is not wholly one.
double StringToDouble(const char* text, double defaultValue);
int StringToInt(const char* text, int defaultValue);

}  // namespace ZAV
