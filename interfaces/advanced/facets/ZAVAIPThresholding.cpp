#include "interfaces/advanced/facets/ZAVAIPThresholding.h"

#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"

namespace ZAV {

void CZAVAIPThresholding::ThresholdGT(int32_t threshold)
{
    m_owner->CheckResult(AipLibrary().ThresholdGT(m_owner->GetHandle(), threshold));
}

void CZAVAIPThresholding::ThresholdLT(int32_t threshold)
{
    m_owner->CheckResult(AipLibrary().ThresholdLT(m_owner->GetHandle(), threshold));
}

void CZAVAIPThresholding::ThresholdGTVal(int32_t threshold, int32_t value)
{
    m_owner->CheckResult(AipLibrary().ThresholdGTVal(m_owner->GetHandle(), threshold, value));
}

void CZAVAIPThresholding::ThresholdLTVal(int32_t threshold, int32_t value)
{
    m_owner->CheckResult(AipLibrary().ThresholdLTVal(m_owner->GetHandle(), threshold, value));
}

void CZAVAIPThresholding::ThresholdLTValGTVal(int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    m_owner->CheckResult(AipLibrary().ThresholdLTValGTVal(m_owner->GetHandle(), value1, value2, value3, value4));
}

}  // namespace ZAV
