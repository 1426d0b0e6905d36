// Drawing the image, the drawer's settings, placement and OLE pictures.
#include "image/dib/ByteBuffer.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"

namespace ZAV {

namespace {

// The draw modes that paint through the transparent colour: they need the
// drawer's own blits, without DrawDib and without a background fill.
constexpr int kDrawModeTransparentA = 5;
constexpr int kDrawModeTransparentB = 6;

// Fit modes of GetPlacementRect.
constexpr int kFitWidth = 1;
constexpr int kFitHeight = 2;
constexpr int kFitBoth = 3;

// The screen's device context for the time of a call.
class CScreenDC {
public:
    CScreenDC() : m_dc(GetDC(nullptr)) {}
    ~CScreenDC() { ReleaseDC(nullptr, m_dc); }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

}  // namespace

int CZAVImageEdit::DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                    int sourceWidth, int sourceHeight)
{
    return m_image.GetDrawer().DrawImageSection(dc, x, y, width, height, unit, sourceX, sourceY, sourceWidth,
                                                sourceHeight);
}

int CZAVImageEdit::DrawImageClipped(HDC dc, int unit, int x, int y, int width, int height)
{
    return m_image.GetDrawer().DrawImageClipped(dc, x, y, width, height, unit, nullptr);
}

int CZAVImageEdit::DrawImageExClipped(HDC dc, int unit, int x, int y, int width, int height, int sizeMode,
                                      int alignment, int keepProportions)
{
    return m_image.GetDrawer().DrawImageExClipped(dc, x, y, width, height, unit, keepProportions != 0, alignment,
                                                  sizeMode, nullptr);
}

int CZAVImageEdit::DrawImageClippedBy(HDC dc, int unit, int x, int y, int width, int height, IDrawerClip* clip)
{
    return m_image.GetDrawer().DrawImageClipped(dc, x, y, width, height, unit, clip);
}

int CZAVImageEdit::DrawImageExClippedBy(HDC dc, int unit, int x, int y, int width, int height, int sizeMode,
                                        int alignment, int keepProportions, IDrawerClip* clip)
{
    return m_image.GetDrawer().DrawImageExClipped(dc, x, y, width, height, unit, keepProportions != 0, alignment,
                                                  sizeMode, clip);
}

int CZAVImageEdit::DrawImageSection2(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                     int sourceWidth, int sourceHeight)
{
    return DrawImageSection(dc, x, y, width, height, unit, sourceX, sourceY, sourceWidth, sourceHeight);
}

int CZAVImageEdit::DrawImage(HDC dc, int unit, int x, int y, int width, int height)
{
    return m_image.GetDrawer().DrawImage(dc, x, y, width, height, unit);
}

int CZAVImageEdit::DrawImageEx(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                               int keepProportions)
{
    return m_image.GetDrawer().DrawImageEx(dc, x, y, width, height, unit, keepProportions != 0, alignment, sizeMode);
}

int CZAVImageEdit::GetAlignment()
{
    return m_image.GetDrawer().m_alignment;
}

int CZAVImageEdit::SetAlignment(int alignment)
{
    return m_image.GetDrawer().m_alignment = alignment;
}

int CZAVImageEdit::GetSizeMode()
{
    return m_image.GetDrawer().m_sizeMode;
}

int CZAVImageEdit::SetSizeMode(int mode)
{
    return m_image.GetDrawer().m_sizeMode = mode;
}

int CZAVImageEdit::GetKeepProportions()
{
    return m_image.GetDrawer().m_keepProportions ? 1 : 0;
}

int CZAVImageEdit::SetKeepProportions(int keep)
{
    m_image.GetDrawer().m_keepProportions = keep != 0;
    return keep;
}

COLORREF CZAVImageEdit::GetBackgroundColor()
{
    return m_image.GetDrawer().m_background.color;
}

void CZAVImageEdit::SetBackgroundColor(COLORREF color)
{
    m_image.GetDrawer().m_background.oleColor = color;
    m_image.GetDrawer().m_background.color = color;
}

int CZAVImageEdit::GetFillBackground()
{
    return m_image.GetDrawer().m_backgroundFill ? 1 : 0;
}

void CZAVImageEdit::SetFillBackground(int fill)
{
    m_image.GetDrawer().m_backgroundFill = fill != 0;
}

int CZAVImageEdit::GetDrawerFlag()
{
    return m_image.GetDrawer().m_useBitmapCache ? 1 : 0;
}

void CZAVImageEdit::SetDrawerFlag(int flag)
{
    m_image.GetDrawer().m_useBitmapCache = flag != 0;
}

int CZAVImageEdit::GetUseDrawDib()
{
    return m_image.GetDrawer().m_useDrawDib ? 1 : 0;
}

void CZAVImageEdit::SetUseDrawDib(int use)
{
    m_image.GetDrawer().m_useDrawDib = use != 0;
}

int CZAVImageEdit::GetDrawMode()
{
    return m_image.GetDrawer().m_drawMode;
}

void CZAVImageEdit::SetDrawMode(int mode)
{
    CZAVImgDrawer& drawer = m_image.GetDrawer();
    drawer.m_drawMode = mode;
    if (mode == kDrawModeTransparentA || mode == kDrawModeTransparentB) {
        drawer.m_useDrawDib = false;
        drawer.m_useBitmapCache = true;
        drawer.m_backgroundFill = false;
    }
    OnImageChanged();
}

CZAVPtr<IZAVRectSp> CZAVImageEdit::GetPlacementRect(int x, int y, int width, int height, int itemWidth, int itemHeight,
                                                    int keepProportions, int alignment, int fitMode)
{
    const RECT frame{x, y, x + width, y + height};
    const bool fitWidth = fitMode == kFitWidth || fitMode == kFitBoth;
    const bool fitHeight = fitMode == kFitHeight || fitMode == kFitBoth;
    RECT placed{};
    CZAVImgBase::CalcAlignedRect(frame, SIZE{itemWidth, itemHeight}, alignment, keepProportions != 0, fitWidth,
                                 fitHeight, placed);
    return CreateRectSp(placed);
}

HGLOBAL CZAVImageEdit::CreateDIB()
{
    CScreenDC screen;
    CGlobalHandle dib;
    m_image.CreateDIB(screen.Get(), dib);
    return dib.Detach();
}

HBITMAP CZAVImageEdit::CreateBitmap(HDC dc)
{
    CSharedPaletteHandle palette;
    return m_image.CreateBitmap(dc, palette);
}

IPicture* CZAVImageEdit::CreateOlePicture(int useHeld)
{
    if (!m_image.HasImage())
        return nullptr;
    if (useHeld) {
        if (IPicture* held = m_image.GetOlePicture())
            return held;
    }
    HBITMAP bitmap = nullptr;
    {
        CScreenDC screen;
        bitmap = CreateBitmap(screen.Get());
    }
    const PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP, bitmap, nullptr};
    void* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, 1, &picture))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return static_cast<IPicture*>(picture);
}

}  // namespace ZAV
