// The image-processing facet of the advanced image-processing object:
// filling, copying (plain, through a mask, cropped, with borders), channel
// split and join, flood fill, lookup tables, erosion and dilation, and
// alpha-channel work. The owner's image is the destination, except that the
// split forms write into the channel images.
#pragma once

#include <cstdint>

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;

class IZAVAIPImageProcessingCpp {
public:
    virtual void Fill(int32_t value) = 0;
    virtual void Copy(IZAVImageEditSp* source) = 0;
    virtual void Copy(IZAVAdvancedImgProcSp* source) = 0;
    virtual void CopyWithMask(IZAVImageEditSp* source, IZAVAdvancedImgProcSp* mask) = 0;
    virtual void CopyWithMask(IZAVAdvancedImgProcSp* source, IZAVAdvancedImgProcSp* mask) = 0;
    // The owner's image becomes width x height.
    virtual void Crop(IZAVImageEditSp* source, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void Crop(IZAVAdvancedImgProcSp* source, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void CropTo(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                        int32_t value5, int32_t value6) = 0;
    virtual void CopyWithConstBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2, int32_t value3) = 0;
    virtual void CopyWithConstBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2, int32_t value3) = 0;
    virtual void CopyWithReplicateBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2) = 0;
    virtual void CopyWithReplicateBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2) = 0;
    // The owner's image split into the channels; the image-edit form makes
    // each channel of another size an 8-bit image of the owner's size.
    virtual void SplitChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3) = 0;
    virtual void SplitChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3) = 0;
    // The owner's image built from the channels; the image-edit form takes
    // the first channel's size at 24 bits per pixel.
    virtual void FromChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3) = 0;
    virtual void FromChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3) = 0;
    virtual void SplitChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3,
                                   IZAVAdvancedImgProcSp* c4) = 0;
    virtual void SplitChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3,
                                   IZAVImageEditSp* c4) = 0;
    // At 32 bits per pixel in the image-edit form.
    virtual void FromChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3,
                                  IZAVAdvancedImgProcSp* c4) = 0;
    virtual void FromChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3,
                                  IZAVImageEditSp* c4) = 0;
    virtual void FloodFill(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5,
                           int32_t value6) = 0;
    // Piecewise linear over (level, value) pairs: levels t1, values t2.
    virtual void LookUpTable8Bit(IZAVImageEditSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                                 int32_t value) = 0;
    virtual void LookUpTable8Bit(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                                 int32_t value) = 0;
    // One (levels, values) pair per channel: (t1, t2), (t3, t4), (t5, t6).
    virtual void LookUpTable(IZAVImageEditSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                             const CZAVInt32Array& t3, const CZAVInt32Array& t4, const CZAVInt32Array& t5,
                             const CZAVInt32Array& t6, int32_t value) = 0;
    virtual void LookUpTable(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                             const CZAVInt32Array& t3, const CZAVInt32Array& t4, const CZAVInt32Array& t5,
                             const CZAVInt32Array& t6, int32_t value) = 0;
    virtual void Erode() = 0;
    virtual void Dilate() = 0;
    // The mask holds value1 x value2 integers, row by row.
    virtual void ErodeEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2) = 0;
    virtual void DilateEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2) = 0;
    virtual void AlphaPremultiply() = 0;
    virtual void AlphaPremultiplyWithConstant(int32_t value) = 0;
    virtual void ApplyAlphaChannelConstant(int32_t value) = 0;
    virtual void ApplyAlphaChannel(IZAVAdvancedImgProcSp* alpha) = 0;
    virtual void AlphaOverlay(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second, int32_t value) = 0;
    virtual void AlphaOverlay(IZAVImageEditSp* first, IZAVImageEditSp* second, int32_t value) = 0;
    virtual void AlphaOverlayWithConstant(IZAVAdvancedImgProcSp* first, int32_t value1, IZAVAdvancedImgProcSp* second,
                                          int32_t value2, int32_t value3) = 0;
    virtual void AlphaOverlayWithConstant(IZAVImageEditSp* first, int32_t value1, IZAVImageEditSp* second,
                                          int32_t value2, int32_t value3) = 0;
    virtual void SwapChannels(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& order) = 0;
    virtual void SwapChannels(IZAVImageEditSp* source, const CZAVInt32Array& order) = 0;

protected:
    ~IZAVAIPImageProcessingCpp() = default;
};

class CZAVAIPImageProcessing : public IZAVAIPImageProcessingCpp {
public:
    explicit CZAVAIPImageProcessing(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void Fill(int32_t value) override;
    void Copy(IZAVImageEditSp* source) override;
    void Copy(IZAVAdvancedImgProcSp* source) override;
    void CopyWithMask(IZAVImageEditSp* source, IZAVAdvancedImgProcSp* mask) override;
    void CopyWithMask(IZAVAdvancedImgProcSp* source, IZAVAdvancedImgProcSp* mask) override;
    void Crop(IZAVImageEditSp* source, int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Crop(IZAVAdvancedImgProcSp* source, int32_t x, int32_t y, int32_t width, int32_t height) override;
    void CropTo(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                int32_t value5, int32_t value6) override;
    void CopyWithConstBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2, int32_t value3) override;
    void CopyWithConstBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2, int32_t value3) override;
    void CopyWithReplicateBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2) override;
    void CopyWithReplicateBorder(IZAVAdvancedImgProcSp* source, int32_t value1, int32_t value2) override;
    void SplitChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3) override;
    void SplitChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3) override;
    void FromChannels(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3) override;
    void FromChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3) override;
    void SplitChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3,
                           IZAVAdvancedImgProcSp* c4) override;
    void SplitChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3, IZAVImageEditSp* c4) override;
    void FromChannelsRGBA(IZAVAdvancedImgProcSp* c1, IZAVAdvancedImgProcSp* c2, IZAVAdvancedImgProcSp* c3,
                          IZAVAdvancedImgProcSp* c4) override;
    void FromChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3, IZAVImageEditSp* c4) override;
    void FloodFill(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5,
                   int32_t value6) override;
    void LookUpTable8Bit(IZAVImageEditSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                         int32_t value) override;
    void LookUpTable8Bit(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                         int32_t value) override;
    void LookUpTable(IZAVImageEditSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                     const CZAVInt32Array& t3, const CZAVInt32Array& t4, const CZAVInt32Array& t5,
                     const CZAVInt32Array& t6, int32_t value) override;
    void LookUpTable(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                     const CZAVInt32Array& t3, const CZAVInt32Array& t4, const CZAVInt32Array& t5,
                     const CZAVInt32Array& t6, int32_t value) override;
    void Erode() override;
    void Dilate() override;
    void ErodeEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2) override;
    void DilateEx(const CZAVInt32Array& mask, int32_t value1, int32_t value2) override;
    void AlphaPremultiply() override;
    void AlphaPremultiplyWithConstant(int32_t value) override;
    void ApplyAlphaChannelConstant(int32_t value) override;
    void ApplyAlphaChannel(IZAVAdvancedImgProcSp* alpha) override;
    void AlphaOverlay(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second, int32_t value) override;
    void AlphaOverlay(IZAVImageEditSp* first, IZAVImageEditSp* second, int32_t value) override;
    void AlphaOverlayWithConstant(IZAVAdvancedImgProcSp* first, int32_t value1, IZAVAdvancedImgProcSp* second,
                                  int32_t value2, int32_t value3) override;
    void AlphaOverlayWithConstant(IZAVImageEditSp* first, int32_t value1, IZAVImageEditSp* second, int32_t value2,
                                  int32_t value3) override;
    void SwapChannels(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& order) override;
    void SwapChannels(IZAVImageEditSp* source, const CZAVInt32Array& order) override;

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
