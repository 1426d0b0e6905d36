#include <cstring>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

// The part of a rectangle inside the image; false when nothing is left.
bool ClipToImage(int width, int height, int& x, int& y, int& w, int& h)
{
    int64_t left = x;
    int64_t top = y;
    int64_t right = left + w;
    int64_t bottom = top + h;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (right > width)
        right = width;
    if (bottom > height)
        bottom = height;
    if (left >= right || top >= bottom)
        return false;
    x = static_cast<int>(left);
    y = static_cast<int>(top);
    w = static_cast<int>(right - left);
    h = static_cast<int>(bottom - top);
    return true;
}

// Fills a clipped area of rows of bytesPerPixel-byte pixels with one pixel value.
void FillPixels(BYTE* data, int width, int bytesPerPixel, int x, int y, int w, int h, const BYTE* pixel)
{
    const int64_t stride = static_cast<int64_t>(width) * bytesPerPixel;
    bool uniform = true;
    for (int i = 1; i < bytesPerPixel; ++i)
        uniform = uniform && pixel[i] == pixel[0];
    if (uniform && x == 0 && w == width) {
        std::memset(data + y * stride, pixel[0], static_cast<size_t>(stride * h));
        return;
    }
    for (int row = y; row < y + h; ++row) {
        BYTE* out = data + row * stride + static_cast<int64_t>(x) * bytesPerPixel;
        if (uniform) {
            std::memset(out, pixel[0], static_cast<size_t>(w) * bytesPerPixel);
            continue;
        }
        for (int i = 0; i < w; ++i, out += bytesPerPixel)
            std::memcpy(out, pixel, static_cast<size_t>(bytesPerPixel));
    }
}

}  // namespace

int CImgKernels::FillRect24(BYTE* data, int width, int height, int x, int y, int w, int h, COLORREF color)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    if (!ClipToImage(width, height, x, y, w, h))
        return 1;
    const BYTE pixel[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    FillPixels(data, width, 3, x, y, w, h, pixel);
    return 1;
}

int CImgKernels::FillRect8(BYTE* data, int width, int height, int x, int y, int w, int h, BYTE value)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    if (!ClipToImage(width, height, x, y, w, h))
        return 1;
    FillPixels(data, width, 1, x, y, w, h, &value);
    return 1;
}

int CImgKernels::FillRect1(BYTE* data, int rowBytes, int width, int height, int x, int y, int w, int h,
                           COLORREF color)
{
    ClearErrorText();
    // Rows narrower than the width's bits would let the fill run past them.
    if (!data || static_cast<int64_t>(rowBytes) * 8 < width)
        return Fail(kTextInvalidParameter);
    if (!ClipToImage(width, height, x, y, w, h))
        return 1;
    for (int row = y; row < y + h; ++row) {
        BYTE* line = data + static_cast<int64_t>(row) * rowBytes;
        for (int column = x; column < x + w; ++column) {
            const BYTE mask = static_cast<BYTE>(0x80 >> (column & 7));
            if (color)
                line[column >> 3] |= mask;
            else
                line[column >> 3] &= static_cast<BYTE>(~mask);
        }
    }
    return 1;
}

}  // namespace ZAV
