// The Color facet: depth and colour conversions of the owner's image.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditColor : public IZAVImageEditColorCpp {
public:
    explicit CZAVImageEditColor(CZAVImageEdit* owner) : m_owner(owner) {}

    void SetMinIsBlack() override;
    void SetMinIsWhite() override;
    void ConvertToAllowedBitDepth(CArraySimple<int32_t, 2>& depths) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
