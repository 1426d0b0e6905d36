#include "image/core/ZAVImgBase.h"

#include "foundation/text/TextException.h"
#include "image/core/ImageLayoutSnapshot.h"
#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

const char kCropErrorPrefix[] = "Error cropping Image! ";

// Bytes of a w x h crop of a depth the crop knows; -1 for any other depth.
int64_t CropBytesFor(int bitsPerPixel, int w, int h)
{
    const int64_t width = w;
    switch (bitsPerPixel) {
    case 1:
        return (width + 7) / 8 * h;
    case 8:
        return width * h;
    case 24:
        return width * h * 3;
    default:
        return -1;
    }
}

[[noreturn]] void ThrowCropError(const char* reason)
{
    String text(kCropErrorPrefix);
    text += String(reason);
    ThrowTextException(text.GetText());
}

}  // namespace

void CZAVImgBase::ClampRect(RECT& rect) const
{
    if (rect.left < 0)
        rect.left = 0;
    if (rect.top < 0)
        rect.top = 0;
    if (rect.right >= m_width)
        rect.right = m_width - 1;
    if (rect.bottom >= m_height)
        rect.bottom = m_height - 1;
}

void CZAVImgBase::ClampArea(int width, int height, int& x, int& y, int& w, int& h)
{
    if (x < 0)
        x = 0;
    else if (x >= width)
        x = width - 1;
    if (y < 0)
        y = 0;
    else if (y >= height)
        y = height - 1;
    if (static_cast<int64_t>(x) + w > width)
        w = width - x;
    if (static_cast<int64_t>(y) + h > height)
        h = height - y;
}

bool CZAVImgBase::ClampedCropArea(RECT& rect) const
{
    ClampRect(rect);
    // A rectangle wholly outside or reversed has nothing to copy.
    return rect.left <= rect.right && rect.top <= rect.bottom && rect.left < m_width && rect.top < m_height;
}

void CZAVImgBase::CropInto(const RECT& clamped, CGlobalMemBlock& target) const
{
    const int w = clamped.right - clamped.left + 1;
    const int h = clamped.bottom - clamped.top + 1;
    const int64_t bytes = CropBytesFor(m_bitsPerPixel, w, h);
    if (bytes < 0)
        ThrowTextException("Error");
    CGlobalMemBlock block;
    block.Alloc(GPTR, bytes);
    CImgKernels kernels(m_sink);
    const BYTE* source = static_cast<const BYTE*>(GetImageData());
    BYTE* destination = block.GetData<BYTE>();
    const int ok = m_bitsPerPixel == 1
                       ? kernels.CropBits(source, destination, m_width, m_height, clamped.left, clamped.top, w, h)
                       : kernels.CropBytes(source, destination, m_width, m_height, m_bitsPerPixel / 8, clamped.left,
                                           clamped.top, w, h);
    if (!ok)
        ThrowCropError(kernels.GetErrorText().GetText());
    target.Attach(block.Detach());
}

void CZAVImgBase::Crop(const RECT& rect)
{
    if (!HasImage())
        return;
    RECT clamped = rect;
    if (!ClampedCropArea(clamped))
        ThrowCropError(kTextInvalidParameter);
    CGlobalMemBlock cropped;
    CropInto(clamped, cropped);
    CImageLayoutSnapshot snapshot(*this);
    GetDataBlock()->Attach(cropped.Detach());
    m_width = clamped.right - clamped.left + 1;
    m_height = clamped.bottom - clamped.top + 1;
    ReleaseExtras();
    snapshot.Commit();
}

void CZAVImgBase::CopyRect(const RECT& rect, CGlobalMemBlock& target, int& size) const
{
    int left = rect.left;
    int top = rect.top;
    int right = rect.right;
    int bottom = rect.bottom;
    CopyRectEx(left, top, right, bottom, target, size);
}

void CZAVImgBase::CopyRectEx(int& left, int& top, int& right, int& bottom, CGlobalMemBlock& target, int& size) const
{
    RECT clamped{left, top, right, bottom};
    if (HasImage() && !ClampedCropArea(clamped))
        ThrowCropError(kTextInvalidParameter);
    target.Free();
    size = 0;
    if (!HasImage())
        return;
    CropInto(clamped, target);
    size = static_cast<int>(GlobalSize(target.GetHandle()));
    left = clamped.left;
    top = clamped.top;
    right = clamped.right;
    bottom = clamped.bottom;
}

}  // namespace ZAV
