#include "interfaces/advanced/facets/ZAVAIPArithmetic.h"

#include "interfaces/advanced/facets/AIPInPlaceOperands.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"

namespace ZAV {

void CZAVAIPArithmetic::Add(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Add(operands[0]);
}

void CZAVAIPArithmetic::Add(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Add(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPArithmetic::AddConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().AddConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Subtract(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Subtract(operands[0]);
}

void CZAVAIPArithmetic::Subtract(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Subtract(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPArithmetic::SubtractConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().SubtractConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Multiply(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Multiply(operands[0]);
}

void CZAVAIPArithmetic::Multiply(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Multiply(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPArithmetic::MultiplyConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().MultiplyConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Divide(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Divide(operands[0]);
}

void CZAVAIPArithmetic::Divide(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(AipLibrary().Divide(m_owner->GetHandle(), OperandHandle(operand)));
}

void CZAVAIPArithmetic::DivideConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().DivideConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Difference(IZAVImageEditSp* first, IZAVImageEditSp* second)
{
    const CAIPInPlaceOperands operands(*m_owner, {first, second}, CAIPInPlaceOperands::Order::LastFirst);
    Difference(operands[0], operands[1]);
}

void CZAVAIPArithmetic::Difference(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second)
{
    m_owner->CheckResult(AipLibrary().Difference(m_owner->GetHandle(), OperandHandle(first), OperandHandle(second)));
}

void CZAVAIPArithmetic::DifferenceConstant(IZAVImageEditSp* operand, int32_t value)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    DifferenceConstant(operands[0], value);
}

void CZAVAIPArithmetic::DifferenceConstant(IZAVAdvancedImgProcSp* operand, int32_t value)
{
    m_owner->CheckResult(AipLibrary().DifferenceConstant(m_owner->GetHandle(), OperandHandle(operand), value));
}

}  // namespace ZAV
