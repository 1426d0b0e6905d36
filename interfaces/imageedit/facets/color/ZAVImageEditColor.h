// The Color facet: depth and colour conversions of the owner's image.
#pragma once

#include "interfaces/imageedit/facets/color/ColorFacetInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditColor : public IZAVImageEditColorCpp {
public:
    explicit CZAVImageEditColor(CZAVImageEdit* owner) : m_owner(owner) {}

    void ConvertBitDepth(int32_t depth, int32_t method, int32_t paletteFlag) override;
    void ConvertToBlackWhite() override;
    void ReplaceColor(COLORREF find, COLORREF replacement, uint32_t tolerance, int32_t replaceOthers,
                      COLORREF other) override;
    void ConvertToGray() override;
    void ConvertToGray8() override;
    void AdjustHsv(int32_t hue, int32_t saturation, int32_t value) override;
    void AdjustColors(const CArraySimple<int32_t, 2>& layer1, COLORREF color1, const CArraySimple<int32_t, 2>& layer2,
                      COLORREF color2, const CArraySimple<int32_t, 2>& layer3, COLORREF color3,
                      const CArraySimple<int32_t, 2>& layer4, COLORREF color4) override;
    void BlurBilevelToGray() override;
    void SetMinIsBlack() override;
    void SetMinIsWhite() override;
    void ConvertToAllowedBitDepth(CArraySimple<int32_t, 2>& depths) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
