// The Palette facet: the colour table of the owner's image through the full
// palette interface and the reduced one other image objects also give.
// Colours come and go as 0x00BBGGRR; the table holds blue, green, red,
// reserved.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;
class CImagePalette;

class CZAVImageEditPalette : public IZAVImageEditPaletteCpp, public IZAVImageStandardPaletteCpp {
public:
    explicit CZAVImageEditPalette(CZAVImageEdit* owner) : m_owner(owner) {}

    int GetPaletteCount() override;
    void SetPaletteSize(int count) override;
    COLORREF GetPaletteEntry(int index) override;
    bool SetPaletteEntry(int index, COLORREF color) override;
    int FindNearestEntry(COLORREF color) override;
    bool IsGrayScale() override;
    void CreateGrayScale() override;
    void CreateBlackWhite() override;
    void CreateWhiteBlack() override;
    bool IsInverted() override;
    void InvertPalette() override;
    void CopyPaletteTo(IZAVQueryInterfaceSp* target) override;
    void CopyPaletteToStandard(IZAVImageStandardSp* target) override;

private:
    CImagePalette& Palette();

    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
