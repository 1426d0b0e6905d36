#include "image/kernels/levels/WindowSum.h"

#include <algorithm>

namespace ZAV {

CWindowSum::CWindowSum(int32_t rowStride, int32_t windowWidth, int32_t windowHeight)
    : m_stride(rowStride), m_windowWidth(windowWidth), m_windowHeight(windowHeight)
{
}

void CWindowSum::Init(const BYTE* pixels, int32_t width, int32_t height, int32_t x, int32_t y)
{
    m_pixels = pixels;
    m_width = width;
    m_x = x;
    const int64_t top = static_cast<int64_t>(y) - m_windowHeight / 2;
    m_top = static_cast<int32_t>(std::max<int64_t>(top, 0));
    m_bottom = static_cast<int32_t>(std::min<int64_t>(top + m_windowHeight, height));
    const int64_t left = static_cast<int64_t>(x) - m_windowWidth / 2;
    const int64_t first = std::max<int64_t>(left, 0);
    const int64_t last = std::min<int64_t>(left + m_windowWidth, width);
    m_sum = 0;
    for (int64_t column = first; column < last; ++column)
        m_sum += SumColumn(static_cast<int32_t>(column));
    m_count = std::max<int64_t>(last - first, 0) * std::max(m_bottom - m_top, 0);
}

void CWindowSum::Slide()
{
    const int64_t leaving = static_cast<int64_t>(m_x) - m_windowWidth / 2;
    const int64_t entering = leaving + m_windowWidth;
    const int64_t rows = std::max(m_bottom - m_top, 0);
    if (leaving >= 0 && leaving < m_width)
    {
        m_sum -= SumColumn(static_cast<int32_t>(leaving));
        m_count -= rows;
    }
    if (entering >= 0 && entering < m_width)
    {
        m_sum += SumColumn(static_cast<int32_t>(entering));
        m_count += rows;
    }
    ++m_x;
}

int64_t CWindowSum::SumColumn(int32_t column) const
{
    int64_t sum = 0;
    const BYTE* pixel = m_pixels + static_cast<int64_t>(m_top) * m_stride + column;
    for (int32_t row = m_top; row < m_bottom; ++row, pixel += m_stride)
        sum += *pixel;
    return sum;
}

}  // namespace ZAV
