// Colour replacement with a tolerance, and hue / saturation / value changes.
#include "image/kernels/ImgKernels.h"
#include "image/kernels/color/HsvConversion.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <algorithm>

namespace ZAV {

namespace {

constexpr int kMinHueShift = -180;
constexpr int kMaxHueShift = 180;
constexpr int kMinPercent = -100;
constexpr int kMaxPercent = 100;

bool PixelMatches(const BYTE* pixel, COLORREF color, uint32_t tolerance)
{
    const int dr = pixel[0] - GetRValue(color);
    const int dg = pixel[1] - GetGValue(color);
    const int db = pixel[2] - GetBValue(color);
    if (tolerance == 0)
        return dr == 0 && dg == 0 && db == 0;
    return tolerance >= static_cast<uint32_t>(dr * dr + dg * dg + db * db);
}

void StoreColor(BYTE* pixel, COLORREF color)
{
    pixel[0] = GetRValue(color);
    pixel[1] = GetGValue(color);
    pixel[2] = GetBValue(color);
}

// A percent change of a 0..1 quantity: towards 0 for a negative change,
// towards 1 for a positive one.
double ChangeByPercent(double quantity, int percent)
{
    if (percent < 0)
        return quantity / 100 * (percent + 100);
    if (percent >= 1)
        return quantity + (1 - quantity) / 100 * percent;
    return quantity;
}

void AdjustPixelHsv(BYTE* pixel, int hueShift, int saturationChange, int valueChange)
{
    double hue = 0;
    double saturation = 0;
    double value = 0;
    RgbToHsv(pixel[0], pixel[1], pixel[2], hue, saturation, value);
    value = ChangeByPercent(value, valueChange);
    // A gray pixel has no hue to shift or saturate: it stays gray and only
    // its value changes.
    if (saturation != 0) {
        hue += hueShift;
        if (hue < 0)
            hue += 360;
        else if (hue > 360)
            hue -= 360;
        saturation = ChangeByPercent(saturation, saturationChange);
    }
    HsvToRgb(hue, saturation, value, pixel[0], pixel[1], pixel[2]);
}

}  // namespace

int CImgKernels::ReplaceColor(BYTE* data, int width, int height, COLORREF find, COLORREF replacement,
                              uint32_t tolerance, bool replaceOthers, COLORREF other)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    return ForEachPixel24(*this, data, width, height, [&](BYTE* pixel) {
        if (PixelMatches(pixel, find, tolerance))
            StoreColor(pixel, replacement);
        else if (replaceOthers)
            StoreColor(pixel, other);
    });
}

int CImgKernels::AdjustHsv(BYTE* data, int width, int height, int hueShift, int saturation, int value)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    hueShift = hueShift < kMinHueShift + 1 ? kMinHueShift : std::min(hueShift, kMaxHueShift);
    saturation = saturation < kMinPercent + 1 ? kMinPercent : std::min(saturation, kMaxPercent);
    value = value < kMinPercent + 1 ? kMinPercent : std::min(value, kMaxPercent);
    return ForEachPixel24(*this, data, width, height,
                          [&](BYTE* pixel) { AdjustPixelHsv(pixel, hueShift, saturation, value); });
}

}  // namespace ZAV
