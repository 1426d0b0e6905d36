// The facets whose operations come with the image-edit object's other
// facets. The object already holds and hands them out, so their interfaces
// grow without changing it.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditICC : public IZAVImageEditICCCpp {
public:
    explicit CZAVImageEditICC(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditHistogram : public IZAVImageEditHistogramCpp {
public:
    explicit CZAVImageEditHistogram(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditExif : public IZAVImageEditExifCpp {
public:
    explicit CZAVImageEditExif(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditCnv : public IZAVImageEditCnvCpp {
public:
    explicit CZAVImageEditCnv(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

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

class CZAVImageEditHDR : public IZAVImageEditHDRCpp {
public:
    explicit CZAVImageEditHDR(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditDraw : public IZAVImageEditDrawCpp {
public:
    explicit CZAVImageEditDraw(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

class CZAVImageEditClipboard : public IZAVImageEditClipboardCpp {
public:
    explicit CZAVImageEditClipboard(CZAVImageEdit* owner) : m_owner(owner) {}

private:
    [[maybe_unused]] CZAVImageEdit* m_owner;
};

}  // namespace ZAV
