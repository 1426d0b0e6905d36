// The colour-conversion facet of the advanced image-processing object:
// colour spaces, grey, gamma and the reduction to 1 bit. The owner's image
// is the destination; a source is another advanced object (its library
// handle) or an image-edit object, whose form re-creates the owner's image
// at the result's size and depth and then runs the first form.
#pragma once

#include <cstdint>

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;

class IZAVAIPColorConversionCpp {
public:
    // 16-bit samples of the source into this image's 8-bit ones.
    virtual void HDRScaleDown(IZAVAdvancedImgProcSp* source) = 0;
    virtual void RGBtoCMY() = 0;
    virtual void CMYtoRGB() = 0;
    virtual void RGBtoYUV(IZAVAdvancedImgProcSp* source) = 0;
    virtual void YUVtoRGB(IZAVAdvancedImgProcSp* source) = 0;
    virtual void RGBtoXYZ(IZAVAdvancedImgProcSp* source) = 0;
    virtual void XYZtoRGB(IZAVAdvancedImgProcSp* source) = 0;
    virtual void RGBtoYCC(IZAVAdvancedImgProcSp* source) = 0;
    virtual void YCCtoRGB(IZAVAdvancedImgProcSp* source) = 0;
    // Destination: the source's size and depth.
    virtual void Grayscale(IZAVImageEditSp* source) = 0;
    virtual void Grayscale(IZAVAdvancedImgProcSp* source) = 0;
    // Destination: 8 bits per pixel with the grey palette.
    virtual void Grayscale8Bit(IZAVImageEditSp* source) = 0;
    virtual void Grayscale8Bit(IZAVAdvancedImgProcSp* source) = 0;
    // Destination: 1 bit per pixel, black and white.
    virtual void ConvertTo1Bit(IZAVImageEditSp* source, int32_t value) = 0;
    virtual void ConvertTo1Bit(IZAVAdvancedImgProcSp* source, int32_t value) = 0;
    virtual void GammaCorrection(int32_t value) = 0;
    // Destination: 8 bits per pixel.
    virtual void ScaleToGray(IZAVImageEditSp* source, int32_t value) = 0;
    virtual void ScaleToGray(IZAVAdvancedImgProcSp* source, int32_t value) = 0;

protected:
    ~IZAVAIPColorConversionCpp() = default;
};

class CZAVAIPColorConversion : public IZAVAIPColorConversionCpp {
public:
    explicit CZAVAIPColorConversion(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void HDRScaleDown(IZAVAdvancedImgProcSp* source) override;
    void RGBtoCMY() override;
    void CMYtoRGB() override;
    void RGBtoYUV(IZAVAdvancedImgProcSp* source) override;
    void YUVtoRGB(IZAVAdvancedImgProcSp* source) override;
    void RGBtoXYZ(IZAVAdvancedImgProcSp* source) override;
    void XYZtoRGB(IZAVAdvancedImgProcSp* source) override;
    void RGBtoYCC(IZAVAdvancedImgProcSp* source) override;
    void YCCtoRGB(IZAVAdvancedImgProcSp* source) override;
    void Grayscale(IZAVImageEditSp* source) override;
    void Grayscale(IZAVAdvancedImgProcSp* source) override;
    void Grayscale8Bit(IZAVImageEditSp* source) override;
    void Grayscale8Bit(IZAVAdvancedImgProcSp* source) override;
    void ConvertTo1Bit(IZAVImageEditSp* source, int32_t value) override;
    void ConvertTo1Bit(IZAVAdvancedImgProcSp* source, int32_t value) override;
    void GammaCorrection(int32_t value) override;
    void ScaleToGray(IZAVImageEditSp* source, int32_t value) override;
    void ScaleToGray(IZAVAdvancedImgProcSp* source, int32_t value) override;

private:
    // The source taken (a copy when it is the owner's own image) and the
    // owner's image re-created at its size with this depth, attached again.
    CZAVPtr<IZAVImageEditSp> TakeSourceInto(IZAVImageEditSp* source, int32_t bitsPerPixel);

    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
