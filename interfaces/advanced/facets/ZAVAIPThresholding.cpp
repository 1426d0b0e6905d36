#include "interfaces/advanced/facets/ZAVAIPThresholding.h"

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/binding/AipDynDll.h"

namespace ZAV {

namespace {

CAipDynDll& Library()
{
    return CAipDynDll::Instance();
}

}  // namespace

void CZAVAIPThresholding::ThresholdGT(int32_t threshold)
{
    m_owner->CheckResult(Library().ThresholdGT(m_owner->GetHandle(), threshold));
}

void CZAVAIPThresholding::ThresholdLT(int32_t threshold)
{
    m_owner->CheckResult(Library().ThresholdLT(m_owner->GetHandle(), threshold));
}

void CZAVAIPThresholding::ThresholdGTVal(int32_t threshold, int32_t value)
{
    m_owner->CheckResult(Library().ThresholdGTVal(m_owner->GetHandle(), threshold, value));
}

void CZAVAIPThresholding::ThresholdLTVal(int32_t threshold, int32_t value)
{
    m_owner->CheckResult(Library().ThresholdLTVal(m_owner->GetHandle(), threshold, value));
}

void CZAVAIPThresholding::ThresholdLTValGTVal(int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    m_owner->CheckResult(Library().ThresholdLTValGTVal(m_owner->GetHandle(), value1, value2, value3, value4));
}

}  // namespace ZAV
