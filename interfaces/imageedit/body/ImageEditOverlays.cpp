// The overlays of another image-edit object onto this one: the arguments
// are checked here, before the image does the pixel work.
#include <utility>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

const char kDepthDiffersText[] = "Overlay image colordepth differs from this colordepth!";

void RequireSameDepth(IZAVImageEditSp& overlay, CZAVImg& image)
{
    if (overlay.GetBitsPerPixel() != image.GetBitsPerPixel())
        ThrowTextException(kDepthDiffersText);
}

const BYTE* PixelsOf(IZAVImageEditSp& image)
{
    return static_cast<const BYTE*>(image.GetImageData());
}

}  // namespace

int CZAVImageEdit::GetOverlayMode()
{
    return m_image.m_overlayBlendMode;
}

int CZAVImageEdit::SetOverlayMode(int mode)
{
    return m_image.m_overlayBlendMode = mode;
}

void CZAVImageEdit::CompositePsdLayers(IZAVArrayObjectSp* layers)
{
    if (!layers)
        ThrowTextException("Invalid Parameter!");
    // The listed objects are held while their images are laid.
    std::vector<CZAVPtr<IZAVObjectSp>> held;
    std::vector<const CZAVImg*> frames;
    for (int32_t i = 0; i < layers->GetSize(); ++i) {
        CZAVPtr<IZAVObjectSp> object = layers->GetAt(i);
        if (!object || !object->SupportsInterface(zaviidImageEdit))
            ThrowTextException("Invalid Parameter!");
        frames.push_back(&static_cast<CZAVImageEdit*>(object->GetImplementation())->GetImage());
        held.push_back(std::move(object));
    }
    m_image.CompositePsdLayers(frames);
}

void CZAVImageEdit::OverlayBlended(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast)
{
    if (!overlay)
        ThrowTextException("Invalid Parameter!");
    IZAVImageEditSp* source = overlay;
    RequireSameDepth(*source, m_image);
    if (m_image.GetBitsPerPixel() == 1) {
        source->GetColor()->SetMinIsWhite();
        m_color.SetMinIsWhite();
    }
    m_image.OverlayBlended(PixelsOf(*source), source->GetWidth(), source->GetHeight(), x, y, opacity, fast);
}

void CZAVImageEdit::OverlayTransparentColor(IZAVImageEditSp* overlay, int x, int y, COLORREF color)
{
    if (!overlay)
        ThrowTextException("Invalid Parameter!");
    IZAVImageEditSp* source = overlay;
    RequireSameDepth(*source, m_image);
    m_image.OverlayTransparentColor(PixelsOf(*source), source->GetWidth(), source->GetHeight(), x, y, color);
}

void CZAVImageEdit::OverlayWithOpacity(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast,
                                       COLORREF transparent)
{
    if (!overlay)
        ThrowTextException("Invalid Parameter!");
    IZAVImageEditSp* source = overlay;
    m_image.ConvertToAllowedBitDepth({zavbpp9, zavbpp24});
    source->GetImageEdit()->GetImage().ConvertToAllowedBitDepth({zavbpp9, zavbpp24});
    RequireSameDepth(*source, m_image);
    m_image.OverlayWithOpacity(PixelsOf(*source), source->GetWidth(), source->GetHeight(), x, y, opacity, fast,
                               transparent);
}

void CZAVImageEdit::OverlayWithMask(IZAVImageEditSp* overlay, IZAVImageEditSp* mask, int x, int y)
{
    if (!overlay || !mask)
        ThrowTextException("Invalid Parameter!");
    IZAVImageEditSp* source = overlay;
    RequireSameDepth(*source, m_image);
    const int depth = source->GetBitsPerPixel();
    const bool grayOverlay = depth == 8 && source->GetPalette()->IsGrayScale();
    if (!grayOverlay && depth != 24)
        ThrowTextException("Requires 8bit grayscale or 24bpp Overlay Image! Please convert it to 24bpp format.");
    if (mask->GetWidth() != source->GetWidth() || mask->GetHeight() != source->GetHeight())
        ThrowTextException("Mask Image and Overlay Image must have the same size!");
    if (mask->GetBitsPerPixel() != 8)
        ThrowTextException("Mask Image must be 8bit!");
    m_image.OverlayWithMask(PixelsOf(*source), source->GetWidth(), source->GetHeight(), PixelsOf(*mask), x, y);
}

COLORREF CZAVImageEdit::GetTransparentColor()
{
    return m_image.GetTransparentColor();
}

void CZAVImageEdit::SetTransparentColor(COLORREF color)
{
    m_image.SetTransparentColor(color);
}

}  // namespace ZAV
