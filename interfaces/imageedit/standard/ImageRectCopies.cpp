#include "interfaces/imageedit/standard/ImageRectCopies.h"

#include "image/core/GlobalMemBlock.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "platform/GlobalMem.h"

namespace ZAV {

namespace {

// The new image owns the block once it accepted it; a refused block is
// freed here.
void AttachCopy(IZAVImageEditSp& target, CGlobalMemBlock& block, int size, const RECT& used,
                zavBitsPerPixel bitsPerPixel)
{
    HGLOBAL pixels = block.Detach();
    try {
        target.AttachImageData(pixels, size, used.right - used.left + 1, used.bottom - used.top + 1, bitsPerPixel);
    } catch (...) {
        GlobalFree(pixels);
        throw;
    }
}

}  // namespace

void CImageRectCopies::CropToRect(int& left, int& top, int& right, int& bottom)
{
    CZAVImg& image = m_edit.GetImage();
    if (!image.HasImage())
        return;
    RECT used{left, top, right, bottom};
    image.ClampRect(used);
    image.Crop(used);
    left = used.left;
    top = used.top;
    right = used.right;
    bottom = used.bottom;
}

void CImageRectCopies::Crop(int left, int top, int right, int bottom)
{
    m_edit.GetImage().Crop(RECT{left, top, right, bottom});
}

void CImageRectCopies::CopyRectToBlock(int& left, int& top, int& right, int& bottom, HGLOBAL& block, int& size)
{
    CGlobalMemBlock copy;
    m_edit.GetImage().CopyRectEx(left, top, right, bottom, copy, size);
    block = copy.Detach();
}

void CImageRectCopies::CopyRect(const RECT& rect, HGLOBAL& block, int& size)
{
    int left = rect.left;
    int top = rect.top;
    int right = rect.right;
    int bottom = rect.bottom;
    CopyRectToBlock(left, top, right, bottom, block, size);
}

CZAVPtr<IZAVImageStandardSp> CImageRectCopies::CopyRectToNewImage(const RECT& rect)
{
    RECT used = rect;
    CGlobalMemBlock pixels;
    int size = 0;
    m_edit.GetImage().CopyRectEx(used.left, used.top, used.right, used.bottom, pixels, size);
    CZAVPtr<IZAVImageEditSp> copy = CreateImageEditSp();
    if (pixels.GetHandle()) {
        AttachCopy(*copy.Get(), pixels, size, used, m_edit.GetBitsPerPixel());
        m_edit.GetPalette()->CopyPaletteTo(copy.Get());
        copy->SetXResolution(m_edit.GetXResolution());
        copy->SetYResolution(m_edit.GetYResolution());
    }
    return QueryInterfaceSp<IZAVImageStandardSp>(copy.Get());
}

}  // namespace ZAV
