#include "image/core/ZAVImgBase.h"

namespace ZAV {

namespace {

HGLOBAL CopyBlock(const CGlobalMemBlock& block)
{
    if (!block.GetHandle())
        return nullptr;
    CGlobalMemBlock copy;
    block.CopyTo(copy, GPTR);
    return copy.Detach();
}

}  // namespace

int CZAVImgBase::SetMask(HGLOBAL handle, int64_t size)
{
    m_errorText = String();
    if (size != static_cast<int64_t>(m_width) * m_height) {
        m_errorText = "Invalid Mask Size Width*Height";
        return 0;
    }
    m_mask.Attach(handle);
    m_maskSize = static_cast<int32_t>(size);
    return 1;
}

int CZAVImgBase::SetMask2(HGLOBAL handle, int64_t size)
{
    m_errorText = String();
    if (m_mask2Width != 0) {
        if (size != static_cast<int64_t>(m_mask2Width) * m_mask2Height) {
            m_errorText = "Invalid Mask2 Size Mask2Width*Mask2Height";
            return 0;
        }
    } else if (size != static_cast<int64_t>(m_width) * m_height) {
        m_errorText = "Invalid Mask2 Size Width*Height";
        return 0;
    }
    m_mask2.Attach(handle);
    m_mask2Size = static_cast<int32_t>(size);
    return 1;
}

HGLOBAL CZAVImgBase::CopyMask() const
{
    return CopyBlock(m_mask);
}

HGLOBAL CZAVImgBase::CopyMask2() const
{
    return CopyBlock(m_mask2);
}

HGLOBAL CZAVImgBase::DetachMask()
{
    m_maskSize = 0;
    return m_mask.Detach();
}

HGLOBAL CZAVImgBase::DetachMask2()
{
    m_mask2Size = 0;
    return m_mask2.Detach();
}

void CZAVImgBase::SetMask2Dimensions(int width, int height)
{
    m_mask2Width = width;
    m_mask2Height = height;
}

void CZAVImgBase::RemoveMasks()
{
    m_mask.Free();
    m_mask2.Free();
    m_maskSize = 0;
    m_mask2Size = 0;
    m_mask2Width = 0;
    m_mask2Height = 0;
}

}  // namespace ZAV
