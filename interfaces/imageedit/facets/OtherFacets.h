// The facets whose operations come with the image-edit object's other
// facets. The object already holds and hands them out, so their interfaces
// grow without changing it.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditFilter : public IZAVImageEditFilterCpp {
public:
    explicit CZAVImageEditFilter(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditImageProcessing : public IZAVImageEditImageProcessingCpp {
public:
    explicit CZAVImageEditImageProcessing(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

}  // namespace ZAV
