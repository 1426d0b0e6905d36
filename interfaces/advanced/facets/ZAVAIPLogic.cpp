#include "interfaces/advanced/facets/ZAVAIPLogic.h"

#include "interfaces/advanced/facets/AIPInPlaceOperands.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"

namespace ZAV {

void CZAVAIPLogic::And(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    And(operands[0]);
}

void CZAVAIPLogic::And(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().And(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPLogic::AndConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().AndConstant(m_owner->GetHandle(), value));
}

void CZAVAIPLogic::Or(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Or(operands[0]);
}

void CZAVAIPLogic::Or(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Or(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPLogic::OrConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().OrConstant(m_owner->GetHandle(), value));
}

void CZAVAIPLogic::Xor(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Xor(operands[0]);
}

void CZAVAIPLogic::Xor(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Xor(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPLogic::XorConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().XorConstant(m_owner->GetHandle(), value));
}

void CZAVAIPLogic::Invert()
{
    m_owner->CheckResult(AipLibrary().Invert(m_owner->GetHandle()));
}

void CZAVAIPLogic::Scale(int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    m_owner->CheckResult(AipLibrary().Scale(m_owner->GetHandle(), value1, value2, value3, value4));
}

}  // namespace ZAV
