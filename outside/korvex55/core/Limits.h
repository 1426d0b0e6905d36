// Ceilings of the library, each with its reason.
#pragma once

#include <cstdint>

namespace KORVEX55 {

// KORV_GetImageSizeInBytes and the attach calls carry the size as a signed
// 32-bit value, so no image may need more bytes than that.
constexpr int64_t kMaxImageBytes = INT32_MAX;
// A product of two samples (255 x 255) fits in 16 bits, so a larger scale
// factor would only ever give 0.
constexpr int32_t kMaxScaleFactor = 16;
// KORV_GetError writes at most this many bytes, the terminating zero included.
constexpr int32_t kErrorTextBytes = 2048;
// KORV_ScaleToGray averages window x window pixels per pixel; 16 x 16 already
// blurs a 1-bit page beyond reading, and keeps the sum well inside 32 bits.
constexpr int32_t kMaxGreyWindow = 16;
// KORV_GammaCorrection takes the gamma times 100: 0.01 to 10.0 covers every
// display and print curve.
constexpr int32_t kMaxGammaValue = 1000;

}  // namespace KORVEX55
