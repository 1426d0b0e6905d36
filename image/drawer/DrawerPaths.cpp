// The copy path (source and destination of one size) and the stretch path
// of the drawer: from the cached packed DIB through DrawDib, from the cached
// device bitmap by blits, or through the image's own device kernels.
#include "Afx/DeviceTests.h"
#include "Afx/TransparentBlit.h"
#include "foundation/text/TextException.h"
#include "image/core/ZAVImgBase.h"
#include "image/dib/DibHeader.h"
#include "image/drawer/ImgDrawer.h"
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Palettes.h"

#include <vector>

namespace ZAV {

namespace {

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

bool SameSize(const RECT& a, const RECT& b)
{
    return Width(a) == Width(b) && Height(a) == Height(b);
}

// A palette chosen for the paint and the one it replaced, put back at the end.
class PaletteScope {
public:
    explicit PaletteScope(HDC dc) : m_dc(dc) {}
    ~PaletteScope() { RestorePalette(m_dc, m_old); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;
    void Select(HPALETTE palette)
    {
        m_old = SelectPalette(m_dc, palette, FALSE);
        RealizePalette(m_dc);
    }

private:
    HDC m_dc;
    HPALETTE m_old = nullptr;
};

void ThrowKernelFailure(const CImgKernels& kernels)
{
    ThrowTextException(kernels.GetErrorText().GetLength() ? kernels.GetErrorText().GetText() : "Error");
}

}  // namespace

HPALETTE CZAVImgDrawer::SelectHalftone(HDC dc)
{
    if (!m_halftone)
        m_halftone = CreateHalftonePalette(dc);
    return m_halftone;
}

COLORREF CZAVImgDrawer::EffectiveTransparentColor() const
{
    const int depth = m_image->GetBitsPerPixel();
    uint32_t entry = 0;
    if ((depth == 1 || depth == 8) && m_image->GetPalette().GetEntry(static_cast<int>(m_transparentColor), entry))
        return PaletteEntryToColor(entry);  // the index's entry, blue and red exchanged into a COLORREF
    return m_transparentColor;
}

void CZAVImgDrawer::PaintPath(HDC dc, const RECT& target, const RECT& source)
{
    HBITMAP bitmap = nullptr;
    HGLOBAL dib = nullptr;
    if (m_useBitmapCache && m_useDrawDib) {
        dib = m_cache.GetDib(dc);
        if (!dib)
            dib = m_cache.BuildDib(dc, [this](HDC device) {
                CGlobalHandle made;
                m_image->CreateDIB(device, made);
                return made.Detach();
            });
    } else if (m_useBitmapCache) {
        bitmap = m_cache.GetBitmap(dc);
        if (!bitmap)
            bitmap = m_cache.BuildBitmap(dc, [this](HDC device) { return m_image->CreateBitmap(device, m_bitmapPalette); });
    }
    PaletteScope palette(dc);
    if (IsDC8Bit(dc)) {
        palette.Select(SelectHalftone(dc));
        if (m_useDrawDib && (m_drawDib || (m_drawDib = DrawDibOpen()))) {
            const bool noPalette = m_image->GetBitsPerPixel() == 1 && m_version.isNT41;
            DrawDibSetPalette(m_drawDib, noPalette ? nullptr : m_halftone);
            DrawDibRealize(m_drawDib, dc, FALSE);
        }
    }
    if (!bitmap && !dib)
        PaintWithKernels(dc, target, source);
    else
        PaintDevicePicture(dc, bitmap, dib, target, source);
}

void CZAVImgDrawer::PaintDevicePicture(HDC dc, HBITMAP bitmap, HGLOBAL dib, const RECT& target, const RECT& source)
{
    if (m_drawMode == kDrawModeTransparent && bitmap)
        TransparentStep(dc, bitmap, target, source);
    else if (m_useDrawDib)
        DrawDibStep(dc, dib, target, source);
    else
        BlitStep(dc, bitmap, target, source);
}

void CZAVImgDrawer::PaintWithKernels(HDC dc, const RECT& target, const RECT& source)
{
    CImgKernels kernels(m_image->GetNotification());
    if (m_useDrawDib) {
        CGlobalHandle dib;
        m_image->CreateDIB(dc, dib);
        DrawDibStep(dc, dib.GetHandle(), target, source);
        return;
    }
    const bool copy = SameSize(target, source);
    const RECT to = copy ? RECT{target.left, target.top, target.left + Width(source), target.top + Height(source)}
                         : target;
    const BYTE* data = static_cast<const BYTE*>(m_image->GetImageData());
    const int w = m_image->GetWidth();
    const int h = m_image->GetHeight();
    int done = 0;
    switch (m_image->GetBitsPerPixel()) {
    case 24:
        done = kernels.Draw24(dc, to.left, to.top, Width(to), Height(to), data, source.left, source.top, w, h,
                              Width(source), Height(source));
        break;
    case 8:
    case 1: {
        std::vector<uint32_t> palette(256, 0);
        for (int i = 0; i < m_image->GetPalette().GetCount() && i < 256; ++i)
            palette[static_cast<size_t>(i)] = m_image->GetPalette().GetEntries()[i];
        done = m_image->GetBitsPerPixel() == 8
                   ? kernels.Draw8(dc, to, data, palette.data(), source.left, source.top, w, h, Width(source),
                                   Height(source))
                   : kernels.Draw1(dc, to, data, palette.data(), source.left, source.top, w, h, Width(source),
                                   Height(source));
        break;
    }
    default: ThrowTextException("Error");
    }
    if (!done)
        ThrowKernelFailure(kernels);
}

void CZAVImgDrawer::DrawDibStep(HDC dc, HGLOBAL dib, const RECT& target, const RECT& source)
{
    if (!dib)
        ThrowTextException("Error Bad parameter DIB!");
    if (!m_drawDib && !(m_drawDib = DrawDibOpen()))
        ThrowTextException("Error using vfw.dll DrawDibOpen!");
    const auto* header = static_cast<const BITMAPINFOHEADER*>(dib);
    const BYTE* bits = static_cast<const BYTE*>(dib) + header->biSize + GetDibPaletteSize(*header);
    UINT flags = DDF_BACKGROUNDPAL;
    const int depth = m_image->GetBitsPerPixel();
    if (IsDC8Bit(dc) && depth != 1 && depth != 8)
        flags |= DDF_HALFTONE | DDF_SAME_HDC;
    if (!DrawDibDraw(m_drawDib, dc, target.left, target.top, Width(target), Height(target), header, bits, source.left,
                     source.top, Width(source), Height(source), flags))
        ThrowTextException("Error using vfw.dll DrawDibDraw!");
}

void CZAVImgDrawer::BlitStep(HDC dc, HBITMAP bitmap, const RECT& target, const RECT& source)
{
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = memory ? SelectObject(memory, bitmap) : nullptr;
    bool drawn = false;
    if (old && SameSize(target, source)) {
        drawn = BitBlt(dc, target.left, target.top, Width(target), Height(target), memory, source.left, source.top,
                       SRCCOPY);
    } else if (old) {
        const int mode = SetStretchBltMode(dc, COLORONCOLOR);
        drawn = StretchBlt(dc, target.left, target.top, Width(target), Height(target), memory, source.left,
                           source.top, Width(source), Height(source), SRCCOPY);
        SetStretchBltMode(dc, mode);
    }
    if (old)
        SelectObject(memory, old);
    if (memory)
        DeleteDC(memory);
    if (!drawn)
        ThrowTextException("Error");
}

void CZAVImgDrawer::TransparentStep(HDC dc, HBITMAP bitmap, const RECT& target, const RECT& source)
{
    const COLORREF transparent = EffectiveTransparentColor();
    if (SameSize(target, source) && source.left == 0 && source.top == 0 && Width(source) == m_image->GetWidth() &&
        Height(source) == m_image->GetHeight())
        DrawTransparentBitmap(dc, bitmap, target.left, target.top, transparent);
    else  // right and bottom exclusive, so the last row and column are drawn too
        DrawTransparentBitmapStretched(dc, bitmap, target, source, transparent, COLORONCOLOR);
}

}  // namespace ZAV
