// The codes the page writer reads from a picture's file-format settings:
// the PDF image coding and libtiff's compression values.
#pragma once

#include <cstdint>

namespace ZAV {

constexpr int32_t kPdfCodingJpeg = 4;
constexpr int32_t kPdfCodingTiff = 5;
// A plug-in format id when no such plug-in is bound.
constexpr int32_t kNoPlugin = -1;

constexpr int32_t kTiffNone = 1;
constexpr int32_t kTiffCcittGroup3 = 3;
constexpr int32_t kTiffCcittGroup4 = 4;
constexpr int32_t kTiffLzw = 5;
constexpr int32_t kTiffAdobeDeflate = 8;
constexpr int32_t kTiffDeflate = 32946;
constexpr int32_t kTiffPackBits = 32773;
// Group 3 options: two-dimensional coding.
constexpr int32_t kTiffT4TwoDimensional = 1;

inline bool IsTiffDeflate(int32_t compression)
{
    return compression == kTiffDeflate || compression == kTiffAdobeDeflate;
}

}  // namespace ZAV
