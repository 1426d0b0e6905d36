// The image-edit operations the shadow effect works through. The library
// interface layer answers them with its image-edit objects (each the image
// object operation of the same name); the effect holds the images it is
// given or makes, and lets them go when replaced or destroyed. Failures are
// thrown as CTextException.
#pragma once

#include <memory>

#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

class IShadowImage;
using ShadowImagePtr = std::shared_ptr<IShadowImage>;

class IShadowImage {
public:
    virtual ~IShadowImage() = default;

    // A zero-filled image of 8 or 24 bits.
    virtual void Create(int width, int height, int bitsPerPixel) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual int GetBitsPerPixel() = 0;
    // This image becomes a copy of the source's pixels.
    virtual void CopyFrom(IShadowImage& source) = 0;

    // Draw facet: the rectangle fill and the pixel getters and setters.
    virtual void FillRectangle(int x, int y, int width, int height, COLORREF colour) = 0;
    virtual BYTE GetPixel8(int x, int y) = 0;
    virtual void SetPixel8(int x, int y, BYTE value) = 0;
    virtual COLORREF GetPixel24(int x, int y) = 0;
    virtual void SetPixel24(int x, int y, COLORREF colour) = 0;

    // Filter facet.
    virtual void Soften(int strength) = 0;
    // Image-processing facet.
    virtual void CreateContourImage(int size, const BYTE* profile, int profileLength) = 0;
    // The overlay lies at (x, y); the mask (8 bits, overlay-sized) weighs it.
    virtual void OverlayWithMask(IShadowImage& overlay, IShadowImage& mask, int x, int y) = 0;
    // The blend overlay of the image's overlay mode.
    virtual void OverlayBlended(IShadowImage& layer, int x, int y, double opacity, int fast) = 0;
    // A pass of the advanced image-processing object's filter facet.
    virtual void AdvancedFilter(int value) = 0;
};

// Makes a new empty image-edit image (CreateImageEditSp); null when none
// can be had.
using ShadowImageFactory = ShadowImagePtr (*)();

// Null restores the state without a factory, in which the effect fails
// with "Error creating image-edit object!".
void SetShadowImageFactory(ShadowImageFactory factory);
// A new image from the factory; throws when there is none.
ShadowImagePtr CreateShadowWorkImage();

}  // namespace ZAV
