// The Image-processing facet: geometry, tone and transparency operations on
// the owner's image. Most pass straight to the image operation of the same
// name; the canvas, resolution, tile and transparency operations are built
// here from the object's other operations.
#pragma once

#include "interfaces/imageedit/facets/processing/ImageProcessingFacetInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditImageProcessing : public IZAVImageEditImageProcessingCpp {
public:
    explicit CZAVImageEditImageProcessing(CZAVImageEdit* owner) : m_owner(owner) {}

    void Resize(int32_t width, int32_t height, int32_t interpolate) override;
    void ResizeCanvas(int32_t width, int32_t height, int32_t alignment, COLORREF fill) override;
    void ResampleToResolution(int32_t xDpi, int32_t yDpi) override;
    void Rotate(double degrees) override;
    void RotateWithResolution(double degrees) override;
    void CropToRect(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) override;
    void Crop(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void CopyRectToBlock(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom, HGLOBAL& block,
                         int32_t& size) override;
    void CopyRect(const RECT& rect, HGLOBAL& block, int32_t& size) override;
    CZAVPtr<IZAVImageEditSp> CopyRectToImage(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    CZAVPtr<IZAVImageEditSp> CopyRectToNewImage(const RECT& rect) override;
    void FlipHorizontal() override;
    void FlipVertical() override;
    void AdjustBrightnessContrast(double brightness, double contrast) override;
    void InvertImage() override;
    void CreateContourImage(int32_t size, const CArraySimple<unsigned char, 1>& profile) override;
    void ApplyLookupTable(const CArraySimple<unsigned char, 1>& table) override;
    void AutoLevels(double lowPercent, double highPercent) override;
    void AutoContrast(double lowPercent, double highPercent) override;
    void AdaptiveThreshold(int32_t windowWidth, int32_t windowHeight, int32_t offset) override;
    void Despeckle(int32_t tolerance, int32_t dotSize) override;
    CZAVPtr<IZAVArrayDoubleSp> LabelConnectedComponents(int32_t tolerance) override;
    CZAVPtr<IZAVImageEditSp> CreateMirroredTile() override;
    void ApplyTransparency(double percentage) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
