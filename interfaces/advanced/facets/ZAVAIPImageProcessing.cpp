// The forms on advanced objects: each one library call on the owner's
// handle and the operands' handles.
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"

namespace ZAV {

void CZAVAIPImageProcessing::Fill(int32_t value)
{
    m_owner->CheckResult(AipLibrary().Fill(m_owner->GetHandle(), value));
}

void CZAVAIPImageProcessing::Copy(IZAVAdvancedImgProcSp* source)
{
    m_owner->CheckResult(AipLibrary().Copy(m_owner->GetHandle(), OperandHandle(source)));
}

void CZAVAIPImageProcessing::CopyWithMask(IZAVAdvancedImgProcSp* source, IZAVAdvancedImgProcSp* mask)
{
    m_owner->CheckResult(AipLibrary().CopyWithMask(m_owner->GetHandle(), OperandHandle(source), OperandHandle(mask)));
}

void CZAVAIPImageProcessing::Crop(IZAVAdvancedImgProcSp* source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    m_owner->CheckResult(AipLibrary().Crop(m_owner->GetHandle(), OperandHandle(source), x, y, width, height));
}

void CZAVAIPImageProcessing::CropTo(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2, int32_t value3,
                                    int32_t value4, int32_t value5, int32_t value6)
{
    m_owner->CheckResult(AipLibrary().CropTo(m_owner->GetHandle(), OperandHandle(source), value1, value2, value3,
                                             value4, value5, value6));
}

void CZAVAIPImageProcessing::CopyWithConstBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2,
                                                 int32_t value3)
{
    m_owner->CheckResult(
        AipLibrary().CopyWithConstBorder(m_owner->GetHandle(), OperandHandle(source), value1, value2, value3));
}

void CZAVAIPImageProcessing::CopyWithReplicateBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2)
{
    m_owner->CheckResult(
        AipLibrary().CopyWithReplicateBorder(m_owner->GetHandle(), OperandHandle(source), value1, value2));
}

void CZAVAIPImageProcessing::SplitChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2,
                                           IZAVAdvancedImgProcSp* c3)
{
    m_owner->CheckResult(
        AipLibrary().SplitChannels(m_owner->GetHandle(), OperandHandle(c1), OperandHandle(c2), OperandHandle(c3)));
}

void CZAVAIPImageProcessing::FromChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2,
                                          IZAVAdvancedImgProcSp* c3)
{
    m_owner->CheckResult(
        AipLibrary().FromChannels(m_owner->GetHandle(), OperandHandle(c1), OperandHandle(c2), OperandHandle(c3)));
}

void CZAVAIPImageProcessing::SplitChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2,
                                               IZAVAdvancedImgProcSp* c3, IZAVAdvancedImgProcSp* c4)
{
    m_owner->CheckResult(AipLibrary().SplitChannelsRGBA(m_owner->GetHandle(), OperandHandle(c1), OperandHandle(c2),
                                                        OperandHandle(c3), OperandHandle(c4)));
}

void CZAVAIPImageProcessing::FromChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2,
                                              IZAVAdvancedImgProcSp* c3, IZAVAdvancedImgProcSp* c4)
{
    m_owner->CheckResult(AipLibrary().FromChannelsRGBA(m_owner->GetHandle(), OperandHandle(c1), OperandHandle(c2),
                                                       OperandHandle(c3), OperandHandle(c4)));
}

void CZAVAIPImageProcessing::FloodFill(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5,
                                       int32_t value6)
{
    m_owner->CheckResult(AipLibrary().FloodFill(m_owner->GetHandle(), value1, value2, value3, value4, value5, value6));
}

void CZAVAIPImageProcessing::LookUpTable8Bit(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1,
                                             const CZAVInt32Array& t2, int32_t value)
{
    RequireTablePair(t1, t2);
    m_owner->CheckResult(AipLibrary().LookUpTable8Bit(m_owner->GetHandle(), OperandHandle(source), t1.GetData(),
                                                      t2.GetData(), t2.GetSize(), value));
}

void CZAVAIPImageProcessing::LookUpTable(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1,
                                         const CZAVInt32Array& t2, const CZAVInt32Array& t3, const CZAVInt32Array& t4,
                                         const CZAVInt32Array& t5, const CZAVInt32Array& t6, int32_t value)
{
    RequireTablePair(t1, t2);
    RequireTablePair(t3, t4);
    RequireTablePair(t5, t6);
    m_owner->CheckResult(AipLibrary().LookUpTable(m_owner->GetHandle(), OperandHandle(source), t1.GetData(),
                                                  t2.GetData(), t2.GetSize(), t3.GetData(), t4.GetData(), t4.GetSize(),
                                                  t5.GetData(), t6.GetData(), t6.GetSize(), value));
}

void CZAVAIPImageProcessing::Erode()
{
    m_owner->CheckResult(AipLibrary().Erode(m_owner->GetHandle()));
}

void CZAVAIPImageProcessing::Dilate()
{
    m_owner->CheckResult(AipLibrary().Dilate(m_owner->GetHandle()));
}

void CZAVAIPImageProcessing::ErodeEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2)
{
    RequireGrid(mask, value1, value2, "morphology mask");
    m_owner->CheckResult(AipLibrary().ErodeEx(m_owner->GetHandle(), mask.GetData(), value1, value2));
}

void CZAVAIPImageProcessing::DilateEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2)
{
    RequireGrid(mask, value1, value2, "morphology mask");
    m_owner->CheckResult(AipLibrary().DilateEx(m_owner->GetHandle(), mask.GetData(), value1, value2));
}

void CZAVAIPImageProcessing::ApplyAlphaChannelConstant(int32_t value)
{
    m_owner->CheckResult(AipLibrary().ApplyAlphaChannelConstant(m_owner->GetHandle(), value));
}

void CZAVAIPImageProcessing::ApplyAlphaChannel(IZAVAdvancedImgProcSp* alpha)
{
    m_owner->CheckResult(AipLibrary().ApplyAlphaChannel(m_owner->GetHandle(), OperandHandle(alpha)));
}

void CZAVAIPImageProcessing::AlphaOverlay(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second, int32_t value)
{
    m_owner->CheckResult(
        AipLibrary().AlphaOverlay(m_owner->GetHandle(), OperandHandle(first), OperandHandle(second), value));
}

void CZAVAIPImageProcessing::AlphaOverlayWithConstant(IZAVAdvancedImgProcSp* first, int32_t value1,
                                                      IZAVAdvancedImgProcSp* second, int32_t value2, int32_t value3)
{
    m_owner->CheckResult(AipLibrary().AlphaOverlayWithConstant(m_owner->GetHandle(), OperandHandle(first), value1,
                                                               OperandHandle(second), value2, value3));
}

void CZAVAIPImageProcessing::SwapChannels(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& order)
{
    m_owner->CheckResult(
        AipLibrary().SwapChannels(m_owner->GetHandle(), OperandHandle(source), order.GetData(), order.GetSize()));
}

}  // namespace ZAV
