// The gray level of a colour, with the weights 0.299 red, 0.587 green and
// 0.114 blue. Pixels add 0.1 before truncating, palette entries do not.
// Computed in thousandths: in doubles the weights add up to a hair below 1,
// which would turn white palette entries (and many other grays) one level
// darker.
#pragma once

#include "image/core/ImagePalette.h"
#include "platform/WinTypes.h"

namespace ZAV {

inline int WeightedThousandths(int red, int green, int blue)
{
    return 299 * red + 587 * green + 114 * blue;
}

inline BYTE GrayOfPixel(int red, int green, int blue)
{
    return static_cast<BYTE>((WeightedThousandths(red, green, blue) + 100) / 1000);
}

inline BYTE GrayOfPaletteEntry(uint32_t entry)
{
    return static_cast<BYTE>(WeightedThousandths(PaletteRed(entry), PaletteGreen(entry), PaletteBlue(entry)) / 1000);
}

}  // namespace ZAV
