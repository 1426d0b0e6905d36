// The pieces every overlay kernel shares: the overlap of the overlay with the
// base, and the opacity mix of two bytes.
#pragma once

#include <cstdint>

#include "image/core/ImageLimits.h"
#include "platform/WinTypes.h"

namespace ZAV {

// The base area [x0, x1) x [y0, y1) that an overlay placed at (x, y) covers.
struct COverlap {
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t x1 = 0;
    int32_t y1 = 0;

    bool IsEmpty() const { return x0 >= x1 || y0 >= y1; }
};

// Placements near the 32-bit ends are summed in 64 bits, so no overlay wraps
// around into the base.
void ClipOverlay(COverlap& overlap, int32_t baseWidth, int32_t baseHeight, int32_t overlayWidth,
                 int32_t overlayHeight, int32_t x, int32_t y);

// 1 or more gives 1, 0 or less gives 0.
double LimitOpacity(double opacity);

// The overlay part i x o and the base part i x (1 - o) of every byte value,
// exact and truncated, so the mix is two look-ups per channel.
struct COpacityTables {
    double overlayPart[256];
    double basePart[256];
    BYTE overlayBytes[256];
    BYTE baseBytes[256];

    // trunc(overlay x o + base x (1 - o)); the fast form adds the two
    // truncated parts instead.
    BYTE Mix(BYTE base, BYTE overlay, bool fast) const
    {
        if (fast)
            return static_cast<BYTE>(overlayBytes[overlay] + baseBytes[base]);
        return static_cast<BYTE>(overlayPart[overlay] + basePart[base]);
    }
};

void BuildOpacityTables(double opacity, COpacityTables& tables);

// trunc(overlay x m / 255 + base x (255 - m) / 255), exactly.
inline BYTE MaskMix(BYTE base, BYTE overlay, BYTE mask)
{
    return static_cast<BYTE>((overlay * mask + base * (255 - mask)) / 255);
}

// Squares of the differences -255..255; the returned pointer is the entry of
// difference 0, so that it is indexed by a signed difference (as
// CImgKernels::FindNearestPaletteIndex takes it).
constexpr int kSquareTableSize = 2 * kMaxChannelDifference + 1;
int* BuildSquareTable(int (&table)[kSquareTableSize]);

}  // namespace ZAV
