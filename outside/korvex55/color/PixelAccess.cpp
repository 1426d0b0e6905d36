#include "outside/korvex55/color/PixelAccess.h"

#include "outside/korvex55/color/ColorMath.h"

namespace KORVEX55 {

uint8_t GreyAt(const uint8_t* row, int32_t x, int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    case 24:
        return GreyOf(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    case 32:
        return GreyOf(row[4 * x], row[4 * x + 1], row[4 * x + 2]);
    default:
        return row[x];
    }
}

}  // namespace KORVEX55
