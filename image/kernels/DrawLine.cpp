#include <cstdlib>
#include <cstring>
#include <utility>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

// Writes one pixel of a depth into a row-addressed buffer.
class CPixelWriter {
public:
    CPixelWriter(BYTE* data, int width, int height, int rowBytes, int depth, COLORREF color)
        : m_data(data), m_width(width), m_height(height), m_rowBytes(rowBytes), m_depth(depth), m_color(color)
    {
    }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Pixels outside the image are skipped one by one.
    void Set(int x, int y) const
    {
        if (!Contains(x, y))
            return;
        BYTE* row = m_data + static_cast<int64_t>(y) * m_rowBytes;
        switch (m_depth) {
        case 1: {
            const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
            row[x >> 3] = m_color ? (row[x >> 3] | mask) : (row[x >> 3] & static_cast<BYTE>(~mask));
            break;
        }
        case 8:
            row[x] = static_cast<BYTE>(m_color & 0xFF);
            break;
        case 24: {
            BYTE* pixel = row + static_cast<int64_t>(x) * 3;
            pixel[0] = GetRValue(m_color);
            pixel[1] = GetGValue(m_color);
            pixel[2] = GetBValue(m_color);
            break;
        }
        default:
            std::memcpy(row + static_cast<int64_t>(x) * 4, &m_color, 4);
            break;
        }
    }

private:
    BYTE* m_data;
    int m_width;
    int m_height;
    int m_rowBytes;
    int m_depth;
    COLORREF m_color;
};

int64_t MinimumRowBytes(int width, int depth)
{
    const int64_t w = width;
    return depth == 1 ? (w + 7) / 8 : w * (depth / 8);
}

// Integer Bresenham: the error term starts at 2 * minor - major and the
// minor axis steps when it is not negative; both end pixels are set.
void DrawBresenham(const CPixelWriter& writer, int x1, int y1, int x2, int y2)
{
    const int64_t dx = std::llabs(static_cast<int64_t>(x2) - x1);
    const int64_t dy = std::llabs(static_cast<int64_t>(y2) - y1);
    const int stepX = x2 >= x1 ? 1 : -1;
    const int stepY = y2 >= y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy;
    const int64_t minor = xMajor ? dy : dx;
    int64_t error = 2 * minor - major;
    int64_t x = x1;
    int64_t y = y1;
    for (int64_t i = 0; i <= major; ++i) {
        writer.Set(static_cast<int>(x), static_cast<int>(y));
        if (error >= 0) {
            if (xMajor)
                y += stepY;
            else
                x += stepX;
            error += 2 * (minor - major);
        } else {
            error += 2 * minor;
        }
        if (xMajor)
            x += stepX;
        else
            y += stepY;
    }
}

// Row y from x1 to x2, ends clamped to the image and put in order.
void DrawSpan(const CPixelWriter& writer, int width, int height, int y, int x1, int x2)
{
    if (y < 0 || y >= height)
        return;
    if ((x1 < 0 && x2 < 0) || (x1 >= width && x2 >= width))
        return;
    int from = x1 < 0 ? 0 : (x1 >= width ? width - 1 : x1);
    int to = x2 < 0 ? 0 : (x2 >= width ? width - 1 : x2);
    if (from > to)
        std::swap(from, to);
    for (int x = from; x <= to; ++x)
        writer.Set(x, y);
}

}  // namespace

int CImgKernels::DrawLine(BYTE* data, int width, int height, int rowBytes, int depth, int x1, int y1, int x2, int y2,
                          COLORREF color)
{
    ClearErrorText();
    if (!data || (depth != 1 && depth != 8 && depth != 24 && depth != 32) || width < 0 || height < 0)
        return Fail(kTextInvalidParameter);
    if (rowBytes < MinimumRowBytes(width, depth))
        return Fail(kTextInvalidParameter);
    const CPixelWriter writer(data, width, height, rowBytes, depth, color);
    if (y1 != y2) {
        DrawBresenham(writer, x1, y1, x2, y2);
        return 1;
    }
    // Horizontal spans exist for 1, 8 and 24 bits only.
    if (depth == 32)
        return Fail(kTextInvalidParameter);
    DrawSpan(writer, width, height, y1, x1, x2);
    return 1;
}

}  // namespace ZAV
