// The image-standard view (id 10) of the image-edit object. Operations it
// shares with IZAVImageEditSp run the same body of the embedded
// CZAVImageEdit (TZAVImageEditSharedForwarding); the rectangle crops and
// copies are the Image-processing facet's.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditSharedForwarding.h"

namespace ZAV {

template <class T>
class IZAVImageStandardSpImpl : public TZAVImageEditSharedForwarding<TZAVSpView<T, IZAVImageStandardSp>> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    void CropToRect(int& left, int& top, int& right, int& bottom) override
    {
        Processing().CropToRect(left, top, right, bottom);
    }
    void Crop(int left, int top, int right, int bottom) override { Processing().Crop(left, top, right, bottom); }
    void CopyRectToBlock(int& left, int& top, int& right, int& bottom, HGLOBAL& block, int& size) override
    {
        Processing().CopyRectToBlock(left, top, right, bottom, block, size);
    }
    void CopyRect(const RECT& rect, HGLOBAL& block, int& size) override { Processing().CopyRect(rect, block, size); }
    CZAVPtr<IZAVImageStandardSp> CopyRectToImage(int left, int top, int right, int bottom) override
    {
        return CopyRectToNewImage(RECT{left, top, right, bottom});
    }
    // The new object's standard view; the facet's reference goes with its
    // holder.
    CZAVPtr<IZAVImageStandardSp> CopyRectToNewImage(const RECT& rect) override
    {
        CZAVPtr<IZAVImageEditSp> copy = Processing().CopyRectToNewImage(rect);
        return QueryInterfaceSp<IZAVImageStandardSp>(copy.Get());
    }
    IZAVImageStandardPaletteCpp* GetStandardPalette() override
    {
        return static_cast<CZAVImageEditPalette*>(Edit().GetPalette());
    }

protected:
    ~IZAVImageStandardSpImpl() = default;

private:
    using TZAVImageEditSharedForwarding<TZAVSpView<T, IZAVImageStandardSp>>::Edit;
    IZAVImageEditImageProcessingCpp& Processing() { return *Edit().GetImageProcessing(); }
};

}  // namespace ZAV
