// The Image-processing facet's interface: geometry, tone and transparency
// operations on the image-edit object's image.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVArrayDoubleSp.h"
#include "foundation/objects/ZAVPtr.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditSp;

class IZAVImageEditImageProcessingCpp {
public:
    // Interpolates (bilinear) when the flag is non-zero.
    virtual void Resize(int32_t width, int32_t height, int32_t interpolate) = 0;
    // A canvas of the new size filled with the colour, the old picture
    // placed on it by the alignment code (column = code / 3: left, centre,
    // right; row = code % 3: top, middle, bottom). 8 and 24 bits only.
    virtual void ResizeCanvas(int32_t width, int32_t height, int32_t alignment, COLORREF fill) = 0;
    // Resamples the pixels so the picture keeps its printed size at the new
    // resolutions, which the image then carries.
    virtual void ResampleToResolution(int32_t xDpi, int32_t yDpi) = 0;
    virtual void Rotate(double degrees) = 0;
    virtual void RotateWithResolution(double degrees) = 0;
    // Inclusive pixel coordinates; the rectangle is clamped to the image and
    // the clamped values come back.
    virtual void CropToRect(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) = 0;
    virtual void Crop(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // As CopyRect, the clamped rectangle written back.
    virtual void CopyRectToBlock(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom, HGLOBAL& block,
                                 int32_t& size) = 0;
    // The rectangle's pixels in a new global-memory block the caller owns.
    virtual void CopyRect(const RECT& rect, HGLOBAL& block, int32_t& size) = 0;
    virtual CZAVPtr<IZAVImageEditSp> CopyRectToImage(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // A new image-edit object with the rectangle's pixels and this image's
    // palette and resolution.
    virtual CZAVPtr<IZAVImageEditSp> CopyRectToNewImage(const RECT& rect) = 0;
    virtual void FlipHorizontal() = 0;
    virtual void FlipVertical() = 0;
    virtual void AdjustBrightnessContrast(double brightness, double contrast) = 0;
    virtual void InvertImage() = 0;
    // size 1 to 254; the profile maps distances to grey levels.
    virtual void CreateContourImage(int32_t size, const CArraySimple<unsigned char, 1>& profile) = 0;
    // 256 entries.
    virtual void ApplyLookupTable(const CArraySimple<unsigned char, 1>& table) = 0;
    virtual void AutoLevels(double lowPercent, double highPercent) = 0;
    virtual void AutoContrast(double lowPercent, double highPercent) = 0;
    virtual void AdaptiveThreshold(int32_t windowWidth, int32_t windowHeight, int32_t offset) = 0;
    virtual void Despeckle(int32_t tolerance, int32_t dotSize) = 0;
    // Nine values a region, in label order: label, value, pixel count, edge
    // pixel count, spare count, left, top, right, bottom.
    virtual CZAVPtr<IZAVArrayDoubleSp> LabelConnectedComponents(int32_t tolerance) = 0;
    // A new image-edit object twice as wide and high: the picture, its
    // mirror image to the right, and both turned upside down below.
    virtual CZAVPtr<IZAVImageEditSp> CreateMirroredTile() = 0;
    // Scales every sample by the percentage (100 keeps the picture).
    virtual void ApplyTransparency(double percentage) = 0;

protected:
    ~IZAVImageEditImageProcessingCpp() = default;
};

}  // namespace ZAV
