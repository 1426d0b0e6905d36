#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"

namespace ZAV {

void CZAVAIPColorConversion::HDRScaleDown(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().HDRScaleDown(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::RGBtoCMY()
{
    m_owner->CheckResult(AipLibrary().RGBtoCMY(m_owner->GetHandle()));
}

void CZAVAIPColorConversion::CMYtoRGB()
{
    m_owner->CheckResult(AipLibrary().CMYtoRGB(m_owner->GetHandle()));
}

void CZAVAIPColorConversion::RGBtoYUV(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().RGBtoYUV(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::YUVtoRGB(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().YUVtoRGB(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::RGBtoXYZ(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().RGBtoXYZ(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::XYZtoRGB(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().XYZtoRGB(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::RGBtoYCC(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().RGBtoYCC(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::YCCtoRGB(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().YCCtoRGB(m_owner->GetHandle(), OperandHandle(source)));
}

CZAVPtr<IZAVImageEditSp> CZAVAIPColorConversion::TakeSourceInto(IZAVImageEditSp* source, int32_t bitsPerPixel)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source);
    m_owner->PrepareDestination(taken.Get(), taken->GetWidth(), taken->GetHeight(), bitsPerPixel);
    return taken;
}

void CZAVAIPColorConversion::Grayscale(IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Grayscale(operand.Get());
}

void CZAVAIPColorConversion::Grayscale(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().Grayscale(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::Grayscale8Bit(IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceInto(source, 8);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Grayscale8Bit(operand.Get());
    m_owner->GetImageEdit()->GetPalette()->CreateGrayScale();
}

void CZAVAIPColorConversion::Grayscale8Bit(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().Grayscale8Bit(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPColorConversion::ConvertTo1Bit(IZAVImageEditSp* source, int32_t value)
{
    // The black-and-white palette comes with the 1-bit destination.
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceInto(source, 1);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    ConvertTo1Bit(operand.Get(), value);
}

void CZAVAIPColorConversion::ConvertTo1Bit(IZAVAdvancedImgProcSp* source, int32_t value)
{
    m_owner->CheckResult(AipLibrary().ConvertTo1Bit(m_owner->GetHandle(), OperandHandle(source), value));
}

void CZAVAIPColorConversion::GammaCorrection(int32_t value)
{
    m_owner->CheckResult(AipLibrary().GammaCorrection(m_owner->GetHandle(), value));
}

void CZAVAIPColorConversion::ScaleToGray(IZAVImageEditSp* source, int32_t value)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceInto(source, 8);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    ScaleToGray(operand.Get(), value);
}

void CZAVAIPColorConversion::ScaleToGray(IZAVAdvancedImgProcSp* source, int32_t value)
{
    m_owner->CheckResult(AipLibrary().ScaleToGray(m_owner->GetHandle(), OperandHandle(source), value));
}

}  // namespace ZAV
