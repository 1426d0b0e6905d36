// Clone and CreateLike: a target image-edit object gets this one's settings
// (and its pixels and masks for a clone), always through the two objects'
// interfaces.
#include <cstring>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "platform/GlobalMem.h"

namespace ZAV {

namespace {

// The image cannot take a 32-bit block over, so a 32-bit clone is made at
// its size and depth and the pixels are copied into it.
void CopyPixelsInto(IZAVImageEditSp& source, IZAVImageEditSp& target)
{
    target.Create(source.GetWidth(), source.GetHeight(), source.GetBitsPerPixel());
    const size_t size = static_cast<size_t>(source.GetImageSize());
    if (size == 0 || static_cast<size_t>(target.GetImageSize()) != size)
        ThrowTextException("Error");
    const void* from = GlobalLock(source.GetImageData());
    void* to = GlobalLock(target.GetImageData());
    if (from && to)
        std::memcpy(to, from, size);
    GlobalUnlock(target.GetImageData());
    GlobalUnlock(source.GetImageData());
    if (!from || !to)
        ThrowTextException("Error");
}

// A copy of the source's pixels goes to the target, which owns it once
// attached; a refused copy is freed here.
void CopyPixels(IZAVImageEditSp& source, IZAVImageEditSp& target)
{
    if (source.GetBitsPerPixel() == 32 && source.HasImage()) {
        CopyPixelsInto(source, target);
        return;
    }
    HGLOBAL pixels = source.CopyImageData();
    if (!pixels)
        return;
    try {
        target.AttachImageData(pixels, source.GetImageSize(), source.GetWidth(), source.GetHeight(),
                               source.GetBitsPerPixel());
    } catch (...) {
        GlobalFree(pixels);
        throw;
    }
}

// The target takes a mask copy on success; a refused copy is freed.
void GiveMask(CZAVImg& target, HGLOBAL copy, int64_t size, bool second)
{
    const int taken = second ? target.SetMask2(copy, size) : target.SetMask(copy, size);
    if (!taken) {
        GlobalFree(copy);
        ThrowTextException(target.GetErrorText().GetText());
    }
}

void CopyMasks(IZAVImageEditSp& source, IZAVImageEditSp& target)
{
    const CZAVImg& from = source.GetImageEdit()->GetImage();
    CZAVImg& to = target.GetImageEdit()->GetImage();
    to.RemoveMasks();
    if (from.GetMask())
        GiveMask(to, from.CopyMask(), from.GetMaskSize(), false);
    if (from.GetMask2()) {
        to.SetMask2Dimensions(from.GetMask2Width(), from.GetMask2Height());
        GiveMask(to, from.CopyMask2(), from.GetMask2Size(), true);
    }
}

void CopySettings(IZAVImageEditSp& source, IZAVImageEditSp& target)
{
    target.SetBackgroundColor(source.GetBackgroundColor());
    target.SetFillBackground(source.GetFillBackground());
    target.SetOverlayMode(source.GetOverlayMode());
    target.SetDrawMode(source.GetDrawMode());
    target.SetTransparentColor(source.GetTransparentColor());
    target.SetXResolution(source.GetXResolution());
    target.SetYResolution(source.GetYResolution());
    target.SetUseAdvancedImgProc(source.GetUseAdvancedImgProc());
    source.GetPalette()->CopyPaletteTo(&target);
}

void CopyImageEdit(IZAVImageEditSp& source, IZAVImageEditSp& target, bool withPixels)
{
    if (withPixels) {
        CopyPixels(source, target);
        CopyMasks(source, target);
    }
    CopySettings(source, target);
}

}  // namespace

CZAVPtr<IZAVImageEditSp> CZAVImageEdit::Clone(int withPixels)
{
    CZAVPtr<IZAVImageEditSp> copy = CreateImageEditSp();
    CZAVPtr<IZAVImageEditSp> self = GetImageEditSp();
    CopyImageEdit(*self.Get(), *copy.Get(), withPixels != 0);
    return copy;
}

CZAVPtr<IZAVImageEditSp> CZAVImageEdit::Clone()
{
    return Clone(1);
}

int CZAVImageEdit::CreateLike(IZAVImageEditSp* source, int width, int height, zavBitsPerPixel bitsPerPixel)
{
    if (!source)
        ThrowTextException("Invalid Parameter!");
    Create(width, height, bitsPerPixel);
    CZAVPtr<IZAVImageEditSp> self = GetImageEditSp();
    CopyImageEdit(*source, *self.Get(), false);
    return 1;
}

}  // namespace ZAV
