// Crops and rectangle copies: the rectangles are inclusive pixel
// coordinates that the image clamps to itself.
#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/processing/ZAVImageEditImageProcessing.h"
#include "platform/GlobalMem.h"

namespace ZAV {

namespace {

// The new object takes the pixels first, since attaching them gives it a
// default palette and the screen's resolution; this image's follow.
CZAVPtr<IZAVImageEditSp> NewImageWithPixels(IZAVImageEditSp& self, const RECT& rect, HGLOBAL pixels, int32_t size)
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    if (!pixels)
        return image;
    try {
        image->AttachImageData(pixels, size, rect.right - rect.left + 1, rect.bottom - rect.top + 1,
                               self.GetBitsPerPixel());
    } catch (...) {
        GlobalFree(pixels);
        throw;
    }
    self.GetPalette()->CopyPaletteTo(image.Get());
    image->SetXResolution(self.GetXResolution());
    image->SetYResolution(self.GetYResolution());
    return image;
}

}  // namespace

void CZAVImageEditImageProcessing::CropToRect(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom)
{
    RECT rect{left, top, right, bottom};
    CZAVImg& image = m_owner->GetImage();
    image.ClampRect(rect);
    image.Crop(rect);
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
}

void CZAVImageEditImageProcessing::Crop(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    m_owner->GetImage().Crop(RECT{left, top, right, bottom});
}

void CZAVImageEditImageProcessing::CopyRectToBlock(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom,
                                                   HGLOBAL& block, int32_t& size)
{
    RECT rect{left, top, right, bottom};
    m_owner->GetImage().ClampRect(rect);
    CopyRect(rect, block, size);
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
}

void CZAVImageEditImageProcessing::CopyRect(const RECT& rect, HGLOBAL& block, int32_t& size)
{
    CGlobalMemBlock pixels;
    int copied = 0;
    m_owner->GetImage().CopyRect(rect, pixels, copied);
    block = pixels.Detach();
    size = copied;
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditImageProcessing::CopyRectToImage(int32_t left, int32_t top, int32_t right,
                                                                       int32_t bottom)
{
    return CopyRectToNewImage(RECT{left, top, right, bottom});
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditImageProcessing::CopyRectToNewImage(const RECT& rect)
{
    RECT clamped = rect;
    m_owner->GetImage().ClampRect(clamped);
    HGLOBAL pixels = nullptr;
    int32_t size = 0;
    CopyRect(clamped, pixels, size);
    CZAVPtr<IZAVImageEditSp> self = m_owner->GetImageEditSp();
    return NewImageWithPixels(*self.Get(), clamped, pixels, size);
}

}  // namespace ZAV
