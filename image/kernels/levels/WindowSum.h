// A running sum of a rectangular window of 8-bit values, cut to the image, so
// that moving it one pixel costs one column instead of the whole window.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

class CWindowSum {
public:
    // The window spans columns x - width / 2 .. x - width / 2 + width - 1 and
    // rows y - height / 2 .. y - height / 2 + height - 1 around pixel (x, y).
    CWindowSum(int32_t rowStride, int32_t windowWidth, int32_t windowHeight);

    // Sums the window around (x, y) of an image of width x height values.
    void Init(const BYTE* pixels, int32_t width, int32_t height, int32_t x, int32_t y);
    // Moves the window one pixel to the right.
    void Slide();

    int64_t GetSum() const { return m_sum; }
    // The number of pixels summed: less than the window near the edges.
    int64_t GetCount() const { return m_count; }

private:
    int64_t SumColumn(int32_t column) const;

    int32_t m_stride;
    int32_t m_windowWidth;
    int32_t m_windowHeight;
    const BYTE* m_pixels = nullptr;
    int32_t m_width = 0;
    int32_t m_x = 0;
    int32_t m_top = 0;     // first row inside the image
    int32_t m_bottom = 0;  // one past the last row inside the image
    int64_t m_sum = 0;
    int64_t m_count = 0;
};

}  // namespace ZAV
