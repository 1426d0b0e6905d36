#include "Afx/DeviceTests.h"

#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Palettes.h"

namespace ZAV {

namespace {
constexpr int kPaletteDeviceBits = 8;
constexpr int kAntialiasMinimumBits = 16;
}  // namespace

bool IsDC8Bit(HDC dc)
{
    return GetDeviceCaps(dc, BITSPIXEL) == kPaletteDeviceBits;
}

bool IsDCDeeperThan16Bits(HDC dc)
{
    return GetDeviceCaps(dc, BITSPIXEL) > kAntialiasMinimumBits;
}

bool IsPrinterOrMetafile(HDC dc)
{
    const int technology = GetDeviceCaps(dc, TECHNOLOGY);
    return technology == DT_RASPRINTER || technology == DT_METAFILE;
}

void RestorePalette(HDC dc, HPALETTE& remembered)
{
    if (!remembered)
        return;
    SelectPalette(dc, remembered, FALSE);
    remembered = nullptr;
}

}  // namespace ZAV
