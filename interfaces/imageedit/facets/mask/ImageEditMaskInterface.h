// The image's two masks (one byte a pixel, in global-memory blocks the
// image owns), handed out as blocks or as 8-bit pictures, and a mask made
// from a transparent colour.
#pragma once

#include <cstdint>

#include "foundation/objects/ZAVPtr.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditSp;

class IZAVImageEditMaskCpp {
public:
    virtual bool HasMask() = 0;
    // A new image-edit object with an 8-bit copy of the mask; "There is no
    // mask available!" without one.
    virtual CZAVPtr<IZAVImageEditSp> GetMaskImage() = 0;
    // The mask is always the image's size.
    virtual int GetMaskWidth() = 0;
    virtual int GetMaskHeight() = 0;
    virtual int GetMaskSize() = 0;
    // The image keeps the block.
    virtual HGLOBAL GetMaskHandle() = 0;
    // A new block the caller owns; null without a mask.
    virtual HGLOBAL CopyMask() = 0;
    // The caller owns the block afterwards; the image has no mask.
    virtual HGLOBAL DetachMask() = 0;
    // The image takes the block when it holds width x height bytes; else
    // false, the image's error text says why and the caller keeps the block.
    virtual bool SetMask(HGLOBAL mask) = 0;

    virtual bool HasMask2() = 0;
    // Of the second mask's own size when one is set, else the image's.
    virtual CZAVPtr<IZAVImageEditSp> GetMask2Image() = 0;
    // 0 means the image's width (height).
    virtual int GetMask2Width() = 0;
    virtual void SetMask2Width(int32_t width) = 0;
    virtual int GetMask2Height() = 0;
    virtual void SetMask2Height(int32_t height) = 0;
    virtual int GetMask2Size() = 0;
    virtual HGLOBAL GetMask2Handle() = 0;
    virtual HGLOBAL CopyMask2() = 0;
    virtual HGLOBAL DetachMask2() = 0;
    // As SetMask, against the second mask's size when a width is set.
    virtual bool SetMask2(HGLOBAL mask) = 0;
    virtual void RemoveMasks() = 0;

    // When set, the PSD decoder makes a layer's transparency channel the
    // mask and its user-mask channel the second mask.
    virtual int GetPsdMaskFlag() = 0;
    virtual void SetPsdMaskFlag(int32_t flag) = 0;
    // 0 where the pixel has the colour and 255 elsewhere; a 1-bit image
    // gives its grey values. 24 bits: the colour as the image's ReplaceColor
    // matches it (red in the low byte); 8 bits: a palette index.
    virtual void CreateMaskFromTransparentColor(COLORREF color) = 0;
    // The Image-processing facet's ApplyTransparency (percent) on the image.
    virtual void ApplyTransparency(double percentage) = 0;

protected:
    ~IZAVImageEditMaskCpp() = default;
};

}  // namespace ZAV
