#include "interfaces/imageedit/facets/palette/ZAVImageEditPalette.h"

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

CImagePalette& CZAVImageEditPalette::Palette()
{
    return m_owner->GetImage().GetPalette();
}

int CZAVImageEditPalette::GetPaletteCount()
{
    return Palette().GetCount();
}

void CZAVImageEditPalette::SetPaletteSize(int count)
{
    Palette().SetSize(count);
}

COLORREF CZAVImageEditPalette::GetPaletteEntry(int index)
{
    uint32_t entry = 0;
    if (!Palette().GetEntry(index, entry))
        return 0;
    return PaletteEntryToColor(entry);
}

bool CZAVImageEditPalette::SetPaletteEntry(int index, COLORREF color)
{
    CImagePalette& palette = Palette();
    if (index < 0 || index >= palette.GetCount())
        return false;
    return palette.SetEntry(index, MakePaletteEntry(GetRValue(color), GetGValue(color), GetBValue(color), 0)) != 0;
}

int CZAVImageEditPalette::FindNearestEntry(COLORREF color)
{
    return Palette().FindNearestEntry(color);
}

bool CZAVImageEditPalette::IsGrayScale()
{
    return Palette().IsGrayScale();
}

void CZAVImageEditPalette::CreateGrayScale()
{
    Palette().CreateGrayScale();
}

void CZAVImageEditPalette::CreateBlackWhite()
{
    Palette().CreateBlackWhite();
}

void CZAVImageEditPalette::CreateWhiteBlack()
{
    Palette().CreateWhiteBlack();
}

bool CZAVImageEditPalette::IsInverted()
{
    return Palette().IsInverted();
}

void CZAVImageEditPalette::InvertPalette()
{
    m_owner->GetImage().InvertPalette();
}

void CZAVImageEditPalette::CopyPaletteTo(IZAVQueryInterfaceSp* target)
{
    if (!target)
        return;
    CZAVPtr<IZAVImageStandardSp> standard(
        static_cast<IZAVImageStandardSp*>(target->QueryInterface(IZAVImageStandardSp::kInterfaceId)), true);
    CopyPaletteToStandard(standard.Get());
}

void CZAVImageEditPalette::CopyPaletteToStandard(IZAVImageStandardSp* target)
{
    const int count = GetPaletteCount();
    if (count <= 0 || !target)
        return;
    IZAVImageStandardPaletteCpp* palette = target->GetStandardPalette();
    palette->SetPaletteSize(count);
    for (int i = 0; i < count; ++i)
        palette->SetPaletteEntry(i, GetPaletteEntry(i));
}

}  // namespace ZAV
