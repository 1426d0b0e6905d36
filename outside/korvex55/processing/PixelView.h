// A picture as the algorithms of the filter, geometry and processing groups
// see it: rows top-down, each row bytesPerLine bytes apart; 1 bit per pixel
// MSB first, depths 8 and 9 one byte, 24 R,G,B, 32 R,G,B,A.
#pragma once

#include <cstddef>
#include <cstdint>

#include "outside/korvex55/core/ImageView.h"

namespace KORVEX55 {

// Most pixels a box or destination may hold: a 32-bit picture of this many
// pixels stays below 2 GiB, so every size the library reports fits 32 bits.
constexpr int64_t kMaxPixels = int64_t(1) << 29;

struct PixelView {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t bytesPerLine = 0;

    uint8_t* Row(int32_t y) const { return pixels + static_cast<ptrdiff_t>(y) * bytesPerLine; }
    // Samples per pixel: 1 for depths 1, 8 and 9, else 3 or 4.
    int32_t Channels() const { return ChannelCount(bitsPerPixel); }
    bool IsOneByte() const { return bitsPerPixel == 8 || bitsPerPixel == 9; }
    bool IsOneBit() const { return bitsPerPixel == 1; }
    bool SameSize(const PixelView& other) const { return width == other.width && height == other.height; }
    // Sample c of pixel (x, y); a 1-bit pixel reads 0 or 1.
    uint8_t Get(int32_t x, int32_t y, int32_t c) const
    {
        if (IsOneBit())
            return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1;
        return Row(y)[static_cast<ptrdiff_t>(x) * Channels() + c];
    }
    void Set(int32_t x, int32_t y, int32_t c, uint8_t value) const
    {
        if (IsOneBit()) {
            uint8_t& byte = Row(y)[x >> 3];
            const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
            byte = value ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
            return;
        }
        Row(y)[static_cast<ptrdiff_t>(x) * Channels() + c] = value;
    }
};

inline PixelView ViewOf(const ImageView& image)
{
    return PixelView{image.pixels, image.width, image.height, image.bitsPerPixel, image.bytesPerLine};
}

// value / divisor rounded half away from zero, for any non-zero divisor.
inline int64_t DivideRounded(int64_t value, int64_t divisor)
{
    if (divisor < 0) {
        value = -value;
        divisor = -divisor;
    }
    return value >= 0 ? (value + divisor / 2) / divisor : -((-value + divisor / 2) / divisor);
}

}  // namespace KORVEX55
