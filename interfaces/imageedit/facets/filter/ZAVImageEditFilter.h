// The Filter facet: the image's neighbourhood filters for a library caller.
#pragma once

#include "interfaces/imageedit/facets/filter/FilterFacetInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditFilter : public IZAVImageEditFilterCpp {
public:
    explicit CZAVImageEditFilter(CZAVImageEdit* owner) : m_owner(owner) {}

    void Sharpen(int32_t strength) override;
    void Blur(int32_t strength) override;
    void Median() override;
    void Soften(int32_t strength) override;
    void GaussianBlur() override;
    void ApplyUserMatrix(const CArraySimple<int32_t, 2>& values, int32_t columns, int32_t rows, int32_t divisor,
                         int32_t strength, int32_t addToSource, int32_t subtractFromSource) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
