// The Mask facet: the image's two masks (one byte a pixel, in global-memory
// blocks the image owns), handed out as blocks or as 8-bit pictures, and a
// mask made from a transparent colour.
#pragma once

#include "interfaces/imageedit/facets/mask/ImageEditMaskInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditMask : public IZAVImageEditMaskCpp {
public:
    explicit CZAVImageEditMask(CZAVImageEdit* owner) : m_owner(owner) {}

    bool HasMask() override;
    CZAVPtr<IZAVImageEditSp> GetMaskImage() override;
    int GetMaskWidth() override;
    int GetMaskHeight() override;
    int GetMaskSize() override;
    HGLOBAL GetMaskHandle() override;
    HGLOBAL CopyMask() override;
    HGLOBAL DetachMask() override;
    bool SetMask(HGLOBAL mask) override;
    bool HasMask2() override;
    CZAVPtr<IZAVImageEditSp> GetMask2Image() override;
    int GetMask2Width() override;
    void SetMask2Width(int32_t width) override;
    int GetMask2Height() override;
    void SetMask2Height(int32_t height) override;
    int GetMask2Size() override;
    HGLOBAL GetMask2Handle() override;
    HGLOBAL CopyMask2() override;
    HGLOBAL DetachMask2() override;
    bool SetMask2(HGLOBAL mask) override;
    void RemoveMasks() override;
    int GetPsdMaskFlag() override;
    void SetPsdMaskFlag(int32_t flag) override;
    void CreateMaskFromTransparentColor(COLORREF color) override;
    void ApplyTransparency(double percentage) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
