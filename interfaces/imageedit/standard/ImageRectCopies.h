// Crops and copies of a rectangle of an image-edit object's pixels, as the
// image-standard view offers them. Rectangles are left, top, right, bottom,
// inclusive, and the image clamps them to itself first; a rectangle with
// nothing of the image in it fails with the image's crop error.
#pragma once

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CImageRectCopies {
public:
    explicit CImageRectCopies(CZAVImageEdit& edit) : m_edit(edit) {}

    // An empty image stays empty and the rectangle as it was.
    void CropToRect(int& left, int& top, int& right, int& bottom);
    void Crop(int left, int top, int right, int bottom);
    void CopyRectToBlock(int& left, int& top, int& right, int& bottom, HGLOBAL& block, int& size);
    void CopyRect(const RECT& rect, HGLOBAL& block, int& size);
    // A new image-edit object holding the pixels, with this one's palette and
    // resolution; empty when this image is.
    CZAVPtr<IZAVImageStandardSp> CopyRectToNewImage(const RECT& rect);

private:
    CZAVImageEdit& m_edit;
};

}  // namespace ZAV
