#include "interfaces/advanced/facets/ZAVAIPArithmetic.h"

#include "interfaces/advanced/facets/AIPInPlaceOperands.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/binding/AipDynDll.h"

namespace ZAV {

namespace {

CAipDynDll& Library()
{
    return CAipDynDll::Instance();
}

}  // namespace

void CZAVAIPArithmetic::Add(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Add(operands[0]);
}

void CZAVAIPArithmetic::Add(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(Library().Add(m_owner->GetHandle(), operand->GetLibraryHandle()));
}

void CZAVAIPArithmetic::AddConstant(int32_t value)
{
    m_owner->CheckResult(Library().AddConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Subtract(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Subtract(operands[0]);
}

void CZAVAIPArithmetic::Subtract(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(Library().Subtract(m_owner->GetHandle(), operand->GetLibraryHandle()));
}

void CZAVAIPArithmetic::SubtractConstant(int32_t value)
{
    m_owner->CheckResult(Library().SubtractConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Multiply(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Multiply(operands[0]);
}

void CZAVAIPArithmetic::Multiply(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(Library().Multiply(m_owner->GetHandle(), operand->GetLibraryHandle()));
}

void CZAVAIPArithmetic::MultiplyConstant(int32_t value)
{
    m_owner->CheckResult(Library().MultiplyConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Divide(IZAVImageEditSp* operand)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    Divide(operands[0]);
}

void CZAVAIPArithmetic::Divide(IZAVAdvancedImgProcSp* operand)
{
    m_owner->CheckResult(Library().Divide(m_owner->GetHandle(), operand->GetLibraryHandle()));
}

void CZAVAIPArithmetic::DivideConstant(int32_t value)
{
    m_owner->CheckResult(Library().DivideConstant(m_owner->GetHandle(), value));
}

void CZAVAIPArithmetic::Difference(IZAVImageEditSp* first, IZAVImageEditSp* second)
{
    const CAIPInPlaceOperands operands(*m_owner, {first, second}, CAIPInPlaceOperands::Order::LastFirst);
    Difference(operands[0], operands[1]);
}

void CZAVAIPArithmetic::Difference(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second)
{
    m_owner->CheckResult(
        Library().Difference(m_owner->GetHandle(), first->GetLibraryHandle(), second->GetLibraryHandle()));
}

void CZAVAIPArithmetic::DifferenceConstant(IZAVImageEditSp* operand, int32_t value)
{
    const CAIPInPlaceOperands operands(*m_owner, {operand});
    DifferenceConstant(operands[0], value);
}

void CZAVAIPArithmetic::DifferenceConstant(IZAVAdvancedImgProcSp* operand, int32_t value)
{
    m_owner->CheckResult(Library().DifferenceConstant(m_owner->GetHandle(), operand->GetLibraryHandle(), value));
}

}  // namespace ZAV
