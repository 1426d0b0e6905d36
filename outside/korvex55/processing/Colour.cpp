#include "outside/korvex55/processing/Colour.h"

#include "outside/korvex55/color/ColorMath.h"

namespace KORVEX55 {

Samples ColourSamples(int32_t value, int32_t bitsPerPixel)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const uint8_t red = bits & 0xFF;
    const uint8_t green = (bits >> 8) & 0xFF;
    const uint8_t blue = (bits >> 16) & 0xFF;
    switch (bitsPerPixel) {
    case 1:
        return {static_cast<uint8_t>(value != 0), 0, 0, 0};
    case 24:
        return {red, green, blue, 0};
    case 32:
        return {red, green, blue, static_cast<uint8_t>(255 - ((bits >> 24) & 0xFF))};
    default:
        return {value >= 0 && value <= 255 ? static_cast<uint8_t>(value) : GreyOf(red, green, blue), 0, 0, 0};
    }
}

}  // namespace KORVEX55
