#include "outside/korvex55/processing/Copying.h"

#include <algorithm>
#include <cstring>

namespace KORVEX55 {

namespace {

void CopyPixel(const PixelView& source, int32_t sx, int32_t sy, const PixelView& destination, int32_t dx, int32_t dy)
{
    for (int32_t c = 0; c < source.Channels(); ++c)
        destination.Set(dx, dy, c, source.Get(sx, sy, c));
}

void SetPixel(const PixelView& picture, int32_t x, int32_t y, const Samples& colour)
{
    for (int32_t c = 0; c < picture.Channels(); ++c)
        picture.Set(x, y, c, colour[c]);
}

}  // namespace

void FillPicture(const PixelView& picture, const Samples& colour)
{
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x)
            SetPixel(picture, x, y, colour);
}

void CopyRect(const PixelView& source, const Rect& from, const PixelView& destination, int32_t x, int32_t y)
{
    if (source.IsOneBit()) {
        for (int32_t j = 0; j < from.height; ++j)
            for (int32_t i = 0; i < from.width; ++i)
                CopyPixel(source, from.x + i, from.y + j, destination, x + i, y + j);
        return;
    }
    const size_t pixelBytes = static_cast<size_t>(source.Channels());
    for (int32_t j = 0; j < from.height; ++j)
        std::memmove(destination.Row(y + j) + x * pixelBytes, source.Row(from.y + j) + from.x * pixelBytes,
                     from.width * pixelBytes);
}

void CopyMasked(const PixelView& source, const PixelView& mask, const PixelView& destination)
{
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x)
            if (mask.Get(x, y, 0) != 0)
                CopyPixel(source, x, y, destination, x, y);
}

void CopyShifted(const PixelView& source, const PixelView& destination, int32_t offsetX, int32_t offsetY,
                 const Samples* borderColour)
{
    for (int32_t y = 0; y < destination.height; ++y)
        for (int32_t x = 0; x < destination.width; ++x) {
            const int64_t sx = static_cast<int64_t>(x) - offsetX;
            const int64_t sy = static_cast<int64_t>(y) - offsetY;
            const bool inside = sx >= 0 && sy >= 0 && sx < source.width && sy < source.height;
            if (!inside && borderColour) {
                SetPixel(destination, x, y, *borderColour);
                continue;
            }
            CopyPixel(source, static_cast<int32_t>(std::clamp<int64_t>(sx, 0, source.width - 1)),
                      static_cast<int32_t>(std::clamp<int64_t>(sy, 0, source.height - 1)), destination, x, y);
        }
}

}  // namespace KORVEX55
