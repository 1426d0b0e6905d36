// The Histogram facet: the owner's image histograms as arrays and as
// pictures drawn into the image.
#pragma once

#include "interfaces/imageedit/facets/histogram/ImageEditHistogramInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditHistogram : public IZAVImageEditHistogramCpp {
public:
    explicit CZAVImageEditHistogram(CZAVImageEdit* owner) : m_owner(owner) {}

    CArraySimple<int32_t, 2> GetGrayHistogram() override;
    void GetHistograms(CArraySimple<int32_t, 2>& gray, CArraySimple<int32_t, 2>& red, CArraySimple<int32_t, 2>& green,
                       CArraySimple<int32_t, 2>& blue) override;
    void DrawHistograms(int32_t height, int32_t allChannels) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
