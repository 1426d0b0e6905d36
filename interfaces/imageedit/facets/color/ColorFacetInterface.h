// The Color facet's interface: depth and colour conversions of the
// image-edit object's image.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditColorCpp {
public:
    // To 1, 8, 24 or 32 bits; method and palette flag choose how colours
    // are reduced.
    virtual void ConvertBitDepth(int32_t depth, int32_t method, int32_t paletteFlag) = 0;
    virtual void ConvertToBlackWhite() = 0;
    // 24 bits: pixels within the tolerance (squared distance) of find become
    // the replacement; with replaceOthers set, all others become other.
    virtual void ReplaceColor(COLORREF find, COLORREF replacement, uint32_t tolerance, int32_t replaceOthers,
                              COLORREF other) = 0;
    // Grey values kept in the image's depth.
    virtual void ConvertToGray() = 0;
    // To 8 bits with a grey ramp palette.
    virtual void ConvertToGray8() = 0;
    // Hue shift in degrees, saturation and value in percent.
    virtual void AdjustHsv(int32_t hue, int32_t saturation, int32_t value) = 0;
    // 24 bits: the picture rebuilt from up to four ink layers, each a
    // 256-entry tone curve over the grey value and an ink colour. An empty
    // array ends the layers.
    virtual void AdjustColors(const CArraySimple<int32_t, 2>& layer1, COLORREF color1,
                              const CArraySimple<int32_t, 2>& layer2, COLORREF color2,
                              const CArraySimple<int32_t, 2>& layer3, COLORREF color3,
                              const CArraySimple<int32_t, 2>& layer4, COLORREF color4) = 0;
    // A 1-bit image becomes a blurred 8-bit grey one.
    virtual void BlurBilevelToGray() = 0;
    // A 1-bit image gets a black-first (white-first) palette; the pixels are
    // inverted with it so the picture looks the same.
    virtual void SetMinIsBlack() = 0;
    virtual void SetMinIsWhite() = 0;
    // Keeps the depth when it is one of the given ones (9 is 8-bit gray),
    // else converts to the nearest of them.
    virtual void ConvertToAllowedBitDepth(CArraySimple<int32_t, 2>& depths) = 0;

protected:
    ~IZAVImageEditColorCpp() = default;
};

}  // namespace ZAV
