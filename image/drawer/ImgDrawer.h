// CZAVImgDrawer paints an image into a device context: whole or in
// sections, in one of eleven length units, aligned and scaled inside a
// target rectangle, clipped, optionally leaving one colour out, through
// DrawDib or through a cached device bitmap.
#pragma once

#include "Afx/BitmapCache.h"
#include "foundation/text/String.h"
#include "image/core/SystemVersionRecord.h"
#include "image/dib/ByteBuffer.h"
#include "image/kernels/SystemColor.h"
#include "platform/gdi/DrawDib.h"

namespace ZAV {

class CZAVImgBase;

// A caller's clip: push before drawing, pop after.
class IDrawerClip {
public:
    virtual ~IDrawerClip() = default;
    virtual void Push(HDC dc, const RECT& clip) = 0;
    virtual void Pop(HDC dc) = 0;
};

// Size modes and the draw mode that leaves the transparent colour out.
constexpr int kSizeNatural = 0;
constexpr int kSizeFitWidth = 1;
constexpr int kSizeFitHeight = 2;
constexpr int kSizeFitBoth = 3;
constexpr int kDrawModeTransparent = 5;

class CZAVImgDrawer {
public:
    explicit CZAVImgDrawer(CZAVImgBase* image);
    virtual ~CZAVImgDrawer();
    CZAVImgDrawer(const CZAVImgDrawer&) = delete;
    CZAVImgDrawer& operator=(const CZAVImgDrawer&) = delete;

    // Empties the bitmap cache.
    virtual void ReleaseResources();
    // The primitive every drawing call ends in. A source width or height of
    // -1 takes the whole image on that axis; a destination past the drawing
    // ceiling (kMaxDrawExtent) draws nothing. 1 when the image was drawn; 0
    // otherwise, with the reason in GetLastFailure (empty when there was
    // nothing to draw). Never throws.
    virtual int Paint(HDC dc, int x, int y, int w, int h, int sourceX, int sourceY, int sourceW, int sourceH,
                      int flags);

    // right = bottom = -1: the natural size from the top-left corner.
    int DrawImage(HDC dc, int left, int top, int right, int bottom, int unit);
    int DrawImageClipped(HDC dc, int left, int top, int right, int bottom, int unit, IDrawerClip* clip);
    int DrawImageEx(HDC dc, int left, int top, int right, int bottom, int unit, bool keepProportions, int alignment,
                    int sizeMode);
    int DrawImageExClipped(HDC dc, int left, int top, int right, int bottom, int unit, bool keepProportions,
                           int alignment, int sizeMode, IDrawerClip* clip);
    int DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY, int sourceW,
                         int sourceH);

    // The unit's rectangle in device pixels (the screen's for a null DC);
    // units outside 1-11 leave it as it is.
    static RECT ConvertRectToDevice(const RECT& rect, int unit, HDC dc);

    const String& GetLastFailure() const { return m_lastFailure; }

    int m_sizeMode = kSizeNatural;
    int m_alignment = 0;
    bool m_keepProportions = false;
    CSystemColor m_background;
    bool m_backgroundFill = true;
    int m_drawMode = 0;
    bool m_useBitmapCache = true;
    bool m_useDrawDib = true;
    COLORREF m_transparentColor = 0xFFFFFF;

protected:
    // Steps shared with the antialiased drawer: the whole image for -1, the
    // source clamped into the image; false when there is nothing to draw.
    bool PrepareSource(int& sourceX, int& sourceY, int& sourceW, int& sourceH);
    // False, with the failure text, for a rectangle past the drawing ceiling.
    bool CheckDrawable(const RECT& target);
    // The copy path (equal sizes) or the stretch path; throws CTextException.
    void PaintPath(HDC dc, const RECT& target, const RECT& source);
    int DrawIntoRect(HDC dc, const RECT& target, IDrawerClip* clip);
    void SetFailure(const char* text) { m_lastFailure = String(text); }

    CZAVImgBase* m_image;
    CSystemVersionRecord m_version;
    CBitmapCache m_cache;
    CSharedPaletteHandle m_bitmapPalette;
    HDRAWDIB m_drawDib = nullptr;
    HPALETTE m_halftone = nullptr;
    String m_lastFailure;

private:
    void PaintWithKernels(HDC dc, const RECT& target, const RECT& source);
    void PaintDevicePicture(HDC dc, HBITMAP bitmap, HGLOBAL dib, const RECT& target, const RECT& source);
    void DrawDibStep(HDC dc, HGLOBAL dib, const RECT& target, const RECT& source);
    void BlitStep(HDC dc, HBITMAP bitmap, const RECT& target, const RECT& source);
    void TransparentStep(HDC dc, HBITMAP bitmap, const RECT& target, const RECT& source);
    HPALETTE SelectHalftone(HDC dc);
    COLORREF EffectiveTransparentColor() const;
};

// Puts the three placement settings back when it goes.
class CDrawerSettingsSaver {
public:
    explicit CDrawerSettingsSaver(CZAVImgDrawer& drawer)
        : m_drawer(drawer), m_keep(drawer.m_keepProportions), m_alignment(drawer.m_alignment),
          m_sizeMode(drawer.m_sizeMode)
    {
    }
    ~CDrawerSettingsSaver()
    {
        m_drawer.m_keepProportions = m_keep;
        m_drawer.m_alignment = m_alignment;
        m_drawer.m_sizeMode = m_sizeMode;
    }
    CDrawerSettingsSaver(const CDrawerSettingsSaver&) = delete;
    CDrawerSettingsSaver& operator=(const CDrawerSettingsSaver&) = delete;

private:
    CZAVImgDrawer& m_drawer;
    bool m_keep;
    int m_alignment;
    int m_sizeMode;
};

}  // namespace ZAV
