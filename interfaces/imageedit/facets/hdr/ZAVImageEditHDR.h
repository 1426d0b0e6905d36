// The HDR facet: the image's high-dynamic-range switch and its scalings of
// 16- and 48-bit samples to 8 bits a sample.
#pragma once

#include "interfaces/imageedit/facets/hdr/ImageEditHDRInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditHDR : public IZAVImageEditHDRCpp {
public:
    explicit CZAVImageEditHDR(CZAVImageEdit* owner) : m_owner(owner) {}

    int32_t GetHdrEnabled() override;
    void SetHdrEnabled(int32_t value) override;
    void ScaleHdr(int32_t bitsPerSample) override;
    void AutoScaleHdr() override;
    void ScaleHdrToRange(int32_t low, int32_t high) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
