#include "interfaces/advanced/facets/ZAVAIPFilter.h"

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"

namespace ZAV {

void CZAVAIPFilter::Filter(int32_t kind, IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {9, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Filter(kind, operand.Get());
}

void CZAVAIPFilter::Filter(int32_t kind, IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().Filter(m_owner->GetHandle(), kind, OperandHandle(source)));
}

void CZAVAIPFilter::FilterUserDefined(IZAVImageEditSp* source, const CZAVInt32Array& kernel, int32_t value3,
                                      int32_t value4, int32_t value5, int32_t value6, int32_t value7)
{
    // Refused before any picture changes.
    RequireGrid(kernel, value3, value4, "filter kernel");
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {9, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    FilterUserDefined(operand.Get(), kernel, value3, value4, value5, value6, value7);
}

void CZAVAIPFilter::FilterUserDefined(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& kernel, int32_t value3,
                                      int32_t value4, int32_t value5, int32_t value6, int32_t value7)
{
    RequireGrid(kernel, value3, value4, "filter kernel");
    m_owner->CheckResult(AipLibrary().FilterUserDefined(m_owner->GetHandle(), OperandHandle(source), kernel.GetData(),
                                                        value3, value4, value5, value6, value7));
}

void CZAVAIPFilter::Antialias(IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {9, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Antialias(operand.Get());
}

void CZAVAIPFilter::Antialias(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().Antialias(m_owner->GetHandle(), OperandHandle(source)));
}

std::pair<int32_t, int32_t> CZAVAIPFilter::GetRoiForFilter(int32_t kind, int32_t a, int32_t b)
{
    int32_t first = b;
    int32_t second = a;
    m_owner->CheckResult(AipLibrary().GetRoiForFilter(m_owner->GetHandle(), kind, a, b, &first, &second));
    return {first, second};
}

std::pair<int32_t, int32_t> CZAVAIPFilter::GetRoiForFilterEx(int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                                             int32_t b)
{
    int32_t first = b;
    int32_t second = a;
    m_owner->CheckResult(
        AipLibrary().GetRoiForFilterEx(m_owner->GetHandle(), value1, value2, value3, a, b, &first, &second));
    return {first, second};
}

std::pair<int32_t, int32_t> CZAVAIPFilter::GetFilterBorder(int32_t value1, int32_t value2)
{
    int32_t first = 0;
    int32_t second = 0;
    m_owner->CheckResult(AipLibrary().GetFilterBorder(m_owner->GetHandle(), value1, value2, &first, &second));
    return {first, second};
}

std::pair<int32_t, int32_t> CZAVAIPFilter::GetFilterBorderEx(int32_t value1, int32_t value2, int32_t value3,
                                                             int32_t value4)
{
    int32_t first = 0;
    int32_t second = 0;
    m_owner->CheckResult(
        AipLibrary().GetFilterBorderEx(m_owner->GetHandle(), value1, value2, value3, value4, &first, &second));
    return {first, second};
}

}  // namespace ZAV
