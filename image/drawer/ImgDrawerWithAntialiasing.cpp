#include "image/drawer/ImgDrawerWithAntialiasing.h"

#include "Afx/DeviceContext.h"
#include "Afx/DeviceTests.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr int kMinimumAntialiasSide = 3;
constexpr int kErrorPenWidth = 3;
constexpr COLORREF kErrorPenColour = 0x0000FF;
constexpr COLORREF kErrorFillColour = 0xD0E8E8;
constexpr int kErrorTextTenths = 120;
constexpr char kInitialisationFailure[] = "Error initializing AdvancedImgProc dll!";

AdvancedImgProcFactory g_factory = nullptr;

bool IsAntialiasMode(int mode)
{
    return mode == kDrawModeAntialiasFiltered || mode == kDrawModeAntialiasLogic ||
           mode == kDrawModeAntialiasResample;
}

bool IsPlainMode(int mode)
{
    return mode == 0 || mode == kDrawModeTransparent || mode == 6;
}

}  // namespace

CAntialiasHelpers::~CAntialiasHelpers()
{
    for (IZAVUnknownSp*& object : objects)
        if (object) {
            object->Release();
            object = nullptr;
        }
}

void CZAVImgDrawerWithAntialiasing::SetAdvancedImgProcFactory(AdvancedImgProcFactory factory)
{
    g_factory = factory;
}

void CZAVImgDrawerWithAntialiasing::ReleaseResources()
{
    CZAVImgDrawer::ReleaseResources();
}

int CZAVImgDrawerWithAntialiasing::Paint(HDC dc, int x, int y, int w, int h, int sourceX, int sourceY, int sourceW,
                                         int sourceH, int)
{
    m_lastFailure = String();
    try {
        if (!PrepareSource(sourceX, sourceY, sourceW, sourceH))
            return 0;
        if (IsAntialiasMode(m_drawMode) && !IsDCDeeperThan16Bits(dc))
            m_drawMode = 0;  // for good: the device cannot show the result
        const RECT target{x, y, x + w, y + h};
        const RECT source{sourceX, sourceY, sourceX + sourceW, sourceY + sourceH};
        if (IsAntialiasMode(m_drawMode) && RenderAntialiased(dc, target, source))
            return 1;
        if (!IsAntialiasMode(m_drawMode) && !IsPlainMode(m_drawMode))
            return 0;
        PaintPath(dc, target, source);
        return 1;
    } catch (const CTextException& failure) {
        SetFailure(failure.GetText());
        return 0;
    }
}

bool CZAVImgDrawerWithAntialiasing::Initialise()
{
    if (m_antialias.initialised)
        return true;
    for (IZAVUnknownSp*& object : m_antialias.objects)
        if (!object && g_factory)
            object = g_factory();
    m_antialias.initialised =
        m_antialias.objects[0] && m_antialias.objects[1] && m_antialias.objects[2];
    return m_antialias.initialised;
}

void CZAVImgDrawerWithAntialiasing::DrawErrorBox(HDC dc, const RECT& target)
{
    CDeviceContext device(dc);
    CPen pen(PS_SOLID, kErrorPenWidth, kErrorPenColour);
    CBrush brush(kErrorFillColour);
    device.Rectangle(target, pen, brush);
    CFont font;
    font.CreatePointFont(kErrorTextTenths, "Arial", dc);
    device.TextOut(String(kInitialisationFailure), font, target.left, target.top);
}

bool CZAVImgDrawerWithAntialiasing::RenderAntialiased(HDC dc, const RECT& target, const RECT& source)
{
    if (target.right - target.left < kMinimumAntialiasSide || target.bottom - target.top < kMinimumAntialiasSide ||
        source.right - source.left < kMinimumAntialiasSide || source.bottom - source.top < kMinimumAntialiasSide)
        return false;
    if (!Initialise()) {
        try {
            DrawErrorBox(dc, target);
        } catch (const CGdiException&) {
            // no pen or brush: the failure text still tells what happened
        }
        SetFailure(kInitialisationFailure);
        return false;
    }
    // The resampling itself runs on the image object's work images and the
    // advanced objects' facets; until those exist here the plain path draws.
    return false;
}

}  // namespace ZAV
