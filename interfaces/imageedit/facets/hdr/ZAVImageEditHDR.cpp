#include "interfaces/imageedit/facets/hdr/ZAVImageEditHDR.h"

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

int32_t CZAVImageEditHDR::GetHdrEnabled()
{
    return m_owner->GetImage().m_highDynamicRange;
}

void CZAVImageEditHDR::SetHdrEnabled(int32_t value)
{
    m_owner->GetImage().m_highDynamicRange = value;
}

void CZAVImageEditHDR::ScaleHdr(int32_t bitsPerSample)
{
    m_owner->GetImage().ScaleHdr(bitsPerSample);
}

void CZAVImageEditHDR::AutoScaleHdr()
{
    m_owner->GetImage().AutoScaleHdr();
}

void CZAVImageEditHDR::ScaleHdrToRange(int32_t low, int32_t high)
{
    m_owner->GetImage().ScaleHdrToRange(low, high);
}

}  // namespace ZAV
