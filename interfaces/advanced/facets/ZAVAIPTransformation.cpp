#include "interfaces/advanced/facets/ZAVAIPTransformation.h"

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPBoxSize.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"

namespace ZAV {

namespace {

constexpr int32_t kWarpCoefficientCount = 9;

}  // namespace

bool CZAVAIPTransformation::PrepareBoxDestination(IZAVImageEditSp* source, const AIPBox& box)
{
    const int32_t depth = static_cast<int32_t>(source->GetBitsPerPixel());
    AIPImageSize size;
    if (!SizeOfBox(box, depth, size))
        return false;
    m_owner->PrepareDestination(source, size.width, size.height, depth);
    return true;
}

void CZAVAIPTransformation::Resize(IZAVImageEditSp* source, int32_t width, int32_t height, int32_t mode)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {1, 8, 24});
    PrepareLike(*m_owner, taken.Get(), width, height);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Resize(operand.Get(), width, height, mode);
}

void CZAVAIPTransformation::Resize(IZAVAdvancedImgProcSp* source, int32_t width, int32_t height, int32_t mode)
{
    m_owner->CheckResult(AipLibrary().Resize(m_owner->GetHandle(), OperandHandle(source), width, height, mode));
}

void CZAVAIPTransformation::MirrorHorizontal()
{
    m_owner->CheckResult(AipLibrary().MirrorHorizontal(m_owner->GetHandle()));
}

void CZAVAIPTransformation::MirrorVertical()
{
    m_owner->CheckResult(AipLibrary().MirrorVertical(m_owner->GetHandle()));
}

AIPBox CZAVAIPTransformation::RotateBox(IZAVAdvancedImgProcSp* source, double angle)
{
    AIPBox box;
    m_owner->CheckResult(AipLibrary().RotateBox(m_owner->GetHandle(), OperandHandle(source), angle, &box.left, &box.top,
                                                &box.right, &box.bottom));
    return box;
}

AIPBox CZAVAIPTransformation::ShearBox(IZAVAdvancedImgProcSp* source, double shearX, double shearY)
{
    AIPBox box;
    m_owner->CheckResult(AipLibrary().ShearBox(m_owner->GetHandle(), OperandHandle(source), shearX, shearY, &box.left,
                                               &box.top, &box.right, &box.bottom));
    return box;
}

AIPBox CZAVAIPTransformation::WarpPerspectiveBox(IZAVAdvancedImgProcSp* source,
                                                 const CArraySimple<double, 3>& coefficients)
{
    AIPBox box;
    m_owner->CheckResult(AipLibrary().WarpPerspectiveBox(m_owner->GetHandle(), OperandHandle(source),
                                                         coefficients.GetData(), coefficients.GetSize(), &box.left,
                                                         &box.top, &box.right, &box.bottom));
    return box;
}

CArraySimple<double, 3> CZAVAIPTransformation::WarpPerspectiveCoefficients(IZAVAdvancedImgProcSp* source,
                                                                           const CArraySimple<double, 3>& corners)
{
    CArraySimple<double, 3> coefficients(kWarpCoefficientCount, 1);
    m_owner->CheckResult(AipLibrary().WarpPerspectiveCoefficients(m_owner->GetHandle(), OperandHandle(source),
                                                                  corners.GetData(), corners.GetSize(),
                                                                  coefficients.GetData(), kWarpCoefficientCount));
    return coefficients;
}

void CZAVAIPTransformation::Rotate(IZAVImageEditSp* source, double angle, int32_t mode)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {1, 8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    if (!PrepareBoxDestination(taken.Get(), RotateBox(operand.Get(), angle)))
        return;
    // The corners the rotation leaves uncovered show the source's background.
    m_owner->GetImageProcessing()->Fill(static_cast<int32_t>(source->GetBackgroundColor()));
    Rotate(operand.Get(), angle, mode);
}

void CZAVAIPTransformation::Rotate(IZAVAdvancedImgProcSp* source, double angle, int32_t mode)
{
    m_owner->CheckResult(AipLibrary().Rotate(m_owner->GetHandle(), OperandHandle(source), angle, mode));
}

void CZAVAIPTransformation::RotateCenter(IZAVImageEditSp* source, double angle, int32_t value1, int32_t value2,
                                         int32_t value3)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {1, 8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    if (!PrepareBoxDestination(taken.Get(), RotateBox(operand.Get(), angle)))
        return;
    RotateCenter(operand.Get(), angle, value1, value2, value3);
}

void CZAVAIPTransformation::RotateCenter(IZAVAdvancedImgProcSp* source, double angle, int32_t value1, int32_t value2,
                                         int32_t value3)
{
    m_owner->CheckResult(
        AipLibrary().RotateCenter(m_owner->GetHandle(), OperandHandle(source), angle, value1, value2, value3));
}

void CZAVAIPTransformation::Shear(IZAVImageEditSp* source, double shearX, double shearY, int32_t mode)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    if (!PrepareBoxDestination(taken.Get(), ShearBox(operand.Get(), shearX, shearY)))
        return;
    Shear(operand.Get(), shearX, shearY, mode);
}

void CZAVAIPTransformation::Shear(IZAVAdvancedImgProcSp* source, double shearX, double shearY, int32_t mode)
{
    m_owner->CheckResult(AipLibrary().Shear(m_owner->GetHandle(), OperandHandle(source), shearX, shearY, mode));
}

void CZAVAIPTransformation::WarpPerspective(IZAVImageEditSp* source, const CArraySimple<double, 3>& coefficients,
                                            int32_t mode)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    if (!PrepareBoxDestination(taken.Get(), WarpPerspectiveBox(operand.Get(), coefficients)))
        return;
    WarpPerspective(operand.Get(), coefficients, mode);
}

void CZAVAIPTransformation::WarpPerspective(IZAVAdvancedImgProcSp* source, const CArraySimple<double, 3>& coefficients,
                                            int32_t mode)
{
    m_owner->CheckResult(AipLibrary().WarpPerspective(m_owner->GetHandle(), OperandHandle(source),
                                                      coefficients.GetData(), coefficients.GetSize(), mode));
}

}  // namespace ZAV
