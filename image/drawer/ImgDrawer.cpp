#include "image/drawer/ImgDrawer.h"

#include "Afx/ClipRegionList.h"
#include "foundation/text/TextException.h"
#include "image/core/ZAVImgBase.h"
#include "image/drawer/DrawerExtent.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"

namespace ZAV {

namespace {

constexpr int kClipArgument = 2;
constexpr char kTextInvalidParameter[] = "Invalid Parameter!";

// The DC in MM_TEXT for the holder's life.
class TextMapMode {
public:
    explicit TextMapMode(HDC dc) : m_dc(dc), m_old(SetMapMode(dc, MM_TEXT)) {}
    ~TextMapMode()
    {
        if (m_old)
            SetMapMode(m_dc, m_old);
    }
    TextMapMode(const TextMapMode&) = delete;
    TextMapMode& operator=(const TextMapMode&) = delete;

private:
    HDC m_dc;
    int m_old;
};

void FillBackground(HDC dc, const RECT& target, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush) {
        FillRect(dc, &target, brush);
        DeleteObject(brush);
    }
}

}  // namespace

CZAVImgDrawer::CZAVImgDrawer(CZAVImgBase* image) : m_image(image)
{
    m_background.SetSystemColor(COLOR_BTNFACE);
    m_version.Fill();
}

CZAVImgDrawer::~CZAVImgDrawer()
{
    if (m_halftone)
        DeleteObject(m_halftone);
    if (m_drawDib)
        DrawDibClose(m_drawDib);
    m_cache.Release();
}

void CZAVImgDrawer::ReleaseResources()
{
    m_cache.Release();
    m_bitmapPalette.Reset();
}

bool CZAVImgDrawer::PrepareSource(int& sourceX, int& sourceY, int& sourceW, int& sourceH)
{
    if (!m_image || !m_image->HasImage())
        return false;
    if (sourceW == -1) {
        sourceX = 0;
        sourceW = m_image->GetWidth();
    }
    if (sourceH == -1) {
        sourceY = 0;
        sourceH = m_image->GetHeight();
    }
    if (sourceW <= 0 || sourceH <= 0)
        return false;
    // The last column and row in 64 bits: a source reaching past the 32-bit
    // range is clamped into the image like any other.
    RECT source = RectFromExtent(sourceX, sourceY, int64_t{sourceW} - 1, int64_t{sourceH} - 1);
    m_image->ClampRect(source);
    const int64_t width = int64_t{source.right} - source.left + 1;
    const int64_t height = int64_t{source.bottom} - source.top + 1;
    if (width <= 0 || height <= 0)
        return false;
    sourceX = source.left;
    sourceY = source.top;
    sourceW = static_cast<int>(width);
    sourceH = static_cast<int>(height);
    return true;
}

bool CZAVImgDrawer::CheckDrawable(const RECT& target)
{
    if (IsDrawableRect(target))
        return true;
    SetFailure(kTextInvalidParameter);
    return false;
}

int CZAVImgDrawer::Paint(HDC dc, int x, int y, int w, int h, int sourceX, int sourceY, int sourceW, int sourceH, int)
{
    m_lastFailure = String();
    try {
        const RECT target = RectFromExtent(x, y, w, h);
        if (!PrepareSource(sourceX, sourceY, sourceW, sourceH) || !CheckDrawable(target))
            return 0;
        PaintPath(dc, target, RectFromExtent(sourceX, sourceY, sourceW, sourceH));
        return 1;
    } catch (const CTextException& failure) {
        SetFailure(failure.GetText());
        return 0;
    }
}

int CZAVImgDrawer::DrawIntoRect(HDC dc, const RECT& target, IDrawerClip* clip)
{
    if (!CheckDrawable(target))
        return 0;
    TextMapMode mapMode(dc);
    if (m_drawMode != kDrawModeTransparent && m_backgroundFill)
        FillBackground(dc, target, m_background.color);
    POINT origin{0, 0};
    GetWindowOrgEx(dc, &origin);
    const RECT clipRect{ClampToInt32(int64_t{target.left} - origin.x), ClampToInt32(int64_t{target.top} - origin.y),
                        ClampToInt32(int64_t{target.right} - origin.x),
                        ClampToInt32(int64_t{target.bottom} - origin.y)};
    CClipRegionList localClip;
    if (clip)
        clip->Push(dc, clipRect);
    else
        localClip.PushRect(dc, clipRect, kClipArgument, RGN_AND);
    const SIZE hiMetric = m_image->ImagePixelsToHiMetric(SIZE{m_image->GetWidth(), m_image->GetHeight()});
    // Within the ceiling, so that placing it inside the target cannot
    // overflow; a picture that large is then refused by the paint.
    const SIZE natural{WithinDrawExtent(CZAVImgBase::HiMetricToPixels(hiMetric.cx, GetDeviceCaps(dc, LOGPIXELSX))),
                       WithinDrawExtent(CZAVImgBase::HiMetricToPixels(hiMetric.cy, GetDeviceCaps(dc, LOGPIXELSY)))};
    RECT placement{};
    CZAVImgBase::CalcAlignedRect(target, natural, m_alignment, m_keepProportions,
                                 m_sizeMode == kSizeFitWidth || m_sizeMode == kSizeFitBoth,
                                 m_sizeMode == kSizeFitHeight || m_sizeMode == kSizeFitBoth, placement);
    const int result = Paint(dc, placement.left, placement.top, placement.right - placement.left,
                             placement.bottom - placement.top, 0, 0, -1, -1, 0);
    if (clip)
        clip->Pop(dc);
    else
        localClip.Pop(dc);
    return result;
}

int CZAVImgDrawer::DrawImage(HDC dc, int left, int top, int right, int bottom, int unit)
{
    return DrawImageClipped(dc, left, top, right, bottom, unit, nullptr);
}

int CZAVImgDrawer::DrawImageClipped(HDC dc, int left, int top, int right, int bottom, int unit, IDrawerClip* clip)
{
    m_lastFailure = String();
    if (!m_image || !m_image->HasImage())
        return 0;
    if (right == -1 && bottom == -1) {
        const RECT corner = ConvertRectToDevice(RECT{left, top, left, top}, unit, dc);
        const SIZE hiMetric = m_image->ImagePixelsToHiMetric(SIZE{m_image->GetWidth(), m_image->GetHeight()});
        const RECT natural = RectFromExtent(corner.left, corner.top,
                                            CZAVImgBase::HiMetricToPixels(hiMetric.cx, GetDeviceCaps(dc, LOGPIXELSX)),
                                            CZAVImgBase::HiMetricToPixels(hiMetric.cy, GetDeviceCaps(dc, LOGPIXELSY)));
        return DrawIntoRect(dc, natural, clip);
    }
    return DrawIntoRect(dc, ConvertRectToDevice(RECT{left, top, right, bottom}, unit, dc), clip);
}

int CZAVImgDrawer::DrawImageEx(HDC dc, int left, int top, int right, int bottom, int unit, bool keepProportions,
                               int alignment, int sizeMode)
{
    return DrawImageExClipped(dc, left, top, right, bottom, unit, keepProportions, alignment, sizeMode, nullptr);
}

int CZAVImgDrawer::DrawImageExClipped(HDC dc, int left, int top, int right, int bottom, int unit, bool keepProportions,
                                      int alignment, int sizeMode, IDrawerClip* clip)
{
    m_lastFailure = String();
    if (!m_image || !m_image->HasImage())
        return 0;
    CDrawerSettingsSaver saver(*this);
    m_keepProportions = keepProportions;
    m_alignment = alignment;
    m_sizeMode = sizeMode;
    return DrawIntoRect(dc, ConvertRectToDevice(RECT{left, top, right, bottom}, unit, dc), clip);
}

int CZAVImgDrawer::DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                    int sourceW, int sourceH)
{
    m_lastFailure = String();
    if (!m_image || !m_image->HasImage())
        return 0;
    const RECT target = ConvertRectToDevice(RectFromExtent(x, y, width, height), unit, dc);
    if (!CheckDrawable(target))
        return 0;
    return Paint(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, sourceX, sourceY,
                 sourceW, sourceH, 0);
}

}  // namespace ZAV
