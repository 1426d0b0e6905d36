#include <cstring>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

// The tests both crop kernels make of their area.
bool IsValidCropArea(const BYTE* source, const BYTE* target, int width, int height, int x, int y, int w, int h)
{
    if (!source || !target || source == target)
        return false;
    if (x < 0 || y < 0 || w < 0 || h < 0 || x >= width || y >= height || w > width || h > height)
        return false;
    return static_cast<int64_t>(x) + w <= width && static_cast<int64_t>(y) + h <= height;
}

}  // namespace

int CImgKernels::CropBytes(const BYTE* source, BYTE* target, int sourceWidth, int sourceHeight, int bytesPerPixel,
                           int x, int y, int w, int h)
{
    ClearErrorText();
    if (sourceHeight == 0 && source && target && source != target)
        return 1;
    if (bytesPerPixel <= 0 || !IsValidCropArea(source, target, sourceWidth, sourceHeight, x, y, w, h))
        return Fail(kTextInvalidParameter);
    const int64_t sourceStride = static_cast<int64_t>(sourceWidth) * bytesPerPixel;
    const int64_t targetStride = static_cast<int64_t>(w) * bytesPerPixel;
    for (int row = 0; row < h; ++row) {
        const BYTE* from = source + (static_cast<int64_t>(y) + row) * sourceStride + static_cast<int64_t>(x) * bytesPerPixel;
        std::memcpy(target + row * targetStride, from, static_cast<size_t>(targetStride));
    }
    return 1;
}

int CImgKernels::CropBits(const BYTE* source, BYTE* target, int sourceWidth, int sourceHeight, int x, int y, int w,
                          int h)
{
    ClearErrorText();
    if (sourceHeight == 0 && source && target && source != target)
        return 1;
    if (!IsValidCropArea(source, target, sourceWidth, sourceHeight, x, y, w, h))
        return Fail(kTextInvalidParameter);
    const int64_t sourceStride = (static_cast<int64_t>(sourceWidth) + 7) / 8;
    const int64_t targetStride = (static_cast<int64_t>(w) + 7) / 8;
    for (int row = 0; row < h; ++row) {
        const BYTE* from = source + (static_cast<int64_t>(y) + row) * sourceStride;
        BYTE* to = target + row * targetStride;
        for (int i = 0; i < w; ++i) {
            const int bit = x + i;
            const BYTE mask = static_cast<BYTE>(0x80 >> (i & 7));
            if (from[bit >> 3] & (0x80 >> (bit & 7)))
                to[i >> 3] |= mask;
            else
                to[i >> 3] &= static_cast<BYTE>(~mask);
        }
    }
    return 1;
}

}  // namespace ZAV
