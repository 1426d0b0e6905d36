// The object's own views and its facets, reached from the body.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

namespace ZAV {

namespace {

// The module the library takes its resources from, one per process.
HMODULE g_resourceModule = nullptr;

}  // namespace

CZAVPtr<IZAVObjectSp> CZAVImageEdit::GetObjectSp()
{
    return m_owner->InternalGetObjectSp();
}

CZAVPtr<IZAVImageStandardSp> CZAVImageEdit::GetImageStandardSp()
{
    return QueryInterfaceSp<IZAVImageStandardSp>(static_cast<IZAVImageStandardSp*>(m_owner));
}

CZAVPtr<IZAVViewLayerSp> CZAVImageEdit::GetViewLayerSp()
{
    return QueryInterfaceSp<IZAVViewLayerSp>(static_cast<IZAVViewLayerSp*>(m_owner));
}

CZAVPtr<IZAVImageEditSp> CZAVImageEdit::GetImageEditSp()
{
    return QueryInterfaceSp<IZAVImageEditSp>(static_cast<IZAVImageEditSp*>(m_owner));
}

CZAVImageEdit* CZAVImageEdit::GetImageEdit()
{
    return this;
}

HMODULE CZAVImageEdit::GetResourceModule()
{
    return g_resourceModule;
}

void CZAVImageEdit::SetResourceModule(HMODULE module)
{
    g_resourceModule = module;
}

IZAVImageEditICCCpp* CZAVImageEdit::GetICC()
{
    return &m_icc;
}

IZAVImageEditHistogramCpp* CZAVImageEdit::GetHistogram()
{
    return &m_histogram;
}

IZAVImageEditExifCpp* CZAVImageEdit::GetExif()
{
    return &m_exif;
}

IZAVImageEditCnvCpp* CZAVImageEdit::GetCnv()
{
    return &m_cnv;
}

IZAVImageEditImageProcessingCpp* CZAVImageEdit::GetImageProcessing()
{
    return &m_imageProcessing;
}

IZAVImageEditShadowCpp* CZAVImageEdit::GetShadow()
{
    return &m_shadow;
}

IZAVImageEditColorCpp* CZAVImageEdit::GetColor()
{
    return &m_color;
}

IZAVImageEditFileFormatSettingsCpp* CZAVImageEdit::GetFileFormatSettings()
{
    return &m_fileFormatSettings;
}

IZAVImageEditEncodeCpp* CZAVImageEdit::GetEncode()
{
    return &m_encode;
}

IZAVImageEditPaletteCpp* CZAVImageEdit::GetPalette()
{
    return &m_palette;
}

IZAVImageEditMaskCpp* CZAVImageEdit::GetMask()
{
    return &m_mask;
}

IZAVImageEditHDRCpp* CZAVImageEdit::GetHDR()
{
    return &m_hdr;
}

IZAVImageEditDrawCpp* CZAVImageEdit::GetDraw()
{
    return &m_draw;
}

IZAVImageEditClipboardCpp* CZAVImageEdit::GetClipboard()
{
    return &m_clipboard;
}

IZAVImageEditFilterCpp* CZAVImageEdit::GetFilter()
{
    return &m_filter;
}

}  // namespace ZAV
