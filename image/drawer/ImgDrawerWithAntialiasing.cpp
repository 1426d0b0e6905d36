#include "image/drawer/ImgDrawerWithAntialiasing.h"

#include "Afx/DeviceContext.h"
#include "Afx/DeviceTests.h"
#include "image/drawer/DrawerExtent.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kMinimumAntialiasSide = 3;
constexpr int kErrorPenWidth = 3;
constexpr COLORREF kErrorPenColour = 0x0000FF;
constexpr COLORREF kErrorFillColour = 0xD0E8E8;
constexpr int kErrorTextTenths = 120;
constexpr char kInitialisationFailure[] = "Error initializing AdvancedImgProc dll!";

// The resampling of the first stage: area averaging in the advanced library.
constexpr int kResampleMethod = 4;
// An 8-bit section in colours becomes 24 bits (the conversion's method 2,
// palette flag 1) so that resampling mixes colours, not indices.
constexpr int kTrueColourDepth = 24;
constexpr int kTrueColourMethod = 2;
constexpr int kTrueColourPalette = 1;

AdvancedImgProcFactory g_factory = nullptr;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// The section of the source (inclusive rectangle, inside the image) as the
// whole of the work image, with the source's palette.
void CopySectionInto(const CZAVImgBase& from, const RECT& inclusive, CZAVImg& into)
{
    CGlobalMemBlock block;
    int size = 0;
    from.CopyRect(inclusive, block, size);
    into.Clear();
    into.Attach(block, size, inclusive.right - inclusive.left + 1, inclusive.bottom - inclusive.top + 1,
                from.GetBitsPerPixel());
    into.GetPalette() = from.GetPalette();
}

// Work images 1 to 3 and the pixels lent to the objects go when the render
// ends, however it ends; work image 0 stays for the next paint.
class WorkImagesScope {
public:
    explicit WorkImagesScope(CAntialiasHelpers& helpers) : m_helpers(helpers) {}
    ~WorkImagesScope()
    {
        for (std::unique_ptr<IAntialiasProcessor>& object : m_helpers.objects)
            object->Clear();
        for (int i = 1; i < 4; ++i)
            m_helpers.images[i]->Clear();
    }
    WorkImagesScope(const WorkImagesScope&) = delete;
    WorkImagesScope& operator=(const WorkImagesScope&) = delete;

private:
    CAntialiasHelpers& m_helpers;
};

bool IsAntialiasMode(int mode)
{
    return mode == kDrawModeAntialiasFiltered || mode == kDrawModeAntialiasLogic || mode == kDrawModeAntialiasResample;
}

bool IsPlainMode(int mode)
{
    return mode == 0 || mode == kDrawModeTransparent || mode == 6;
}

}  // namespace

CAntialiasHelpers::CAntialiasHelpers() = default;

CAntialiasHelpers::~CAntialiasHelpers() = default;

void CAntialiasHelpers::ClearWorkImages()
{
    for (std::unique_ptr<CZAVImg>& image : images)
        if (image)
            image->Clear();
}

void CZAVImgDrawerWithAntialiasing::SetAdvancedImgProcFactory(AdvancedImgProcFactory factory)
{
    g_factory = factory;
}

void CZAVImgDrawerWithAntialiasing::ReleaseResources()
{
    CZAVImgDrawer::ReleaseResources();
    m_antialias.ClearWorkImages();
}

int CZAVImgDrawerWithAntialiasing::Paint(HDC dc, int x, int y, int w, int h, int sourceX, int sourceY, int sourceW,
                                         int sourceH, int)
{
    m_lastFailure = String();
    try {
        const RECT target = RectFromExtent(x, y, w, h);
        if (!PrepareSource(sourceX, sourceY, sourceW, sourceH) || !CheckDrawable(target))
            return 0;
        if (IsAntialiasMode(m_drawMode) && !IsDCDeeperThan16Bits(dc))
            m_drawMode = 0;  // for good: the device cannot show the result
        const RECT source = RectFromExtent(sourceX, sourceY, sourceW, sourceH);
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
    for (std::unique_ptr<CZAVImg>& image : m_antialias.images)
        if (!image)
            image = std::make_unique<CZAVImg>();
    for (std::unique_ptr<IAntialiasProcessor>& object : m_antialias.objects)
        if (!object && g_factory)
            object = g_factory();
    m_antialias.initialised = m_antialias.objects[0] && m_antialias.objects[1] && m_antialias.objects[2];
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

void CZAVImgDrawerWithAntialiasing::CopySection(const RECT& source)
{
    CZAVImg& section = *m_antialias.images[1];
    const RECT inclusive{source.left, source.top, source.right - 1, source.bottom - 1};
    if (m_image->GetBitsPerPixel() == 1) {
        // The grey copy is made once and kept until the image changes.
        CZAVImg& grey = *m_antialias.images[0];
        if (!grey.HasImage()) {
            CopySectionInto(*m_image, RECT{0, 0, m_image->GetWidth() - 1, m_image->GetHeight() - 1}, grey);
            grey.ConvertToGray8();
        }
        CopySectionInto(grey, inclusive, section);
        return;
    }
    CopySectionInto(*m_image, inclusive, section);
    if (section.GetBitsPerPixel() == 8 && !section.IsGrayScale())
        section.ConvertBitDepth(kTrueColourDepth, kTrueColourMethod, kTrueColourPalette);
}

CZAVImg& CZAVImgDrawerWithAntialiasing::MakeStage(int index, int width, int height, int depth)
{
    CZAVImg& stage = *m_antialias.images[index];
    if (!stage.Create(width, height, depth))
        ThrowTextException(stage.GetErrorText().GetLength() ? stage.GetErrorText().GetText() : "Error");
    m_antialias.objects[index - 1]->AttachNoFree(stage.GetImageData(), stage.GetImageSize(), width, height, depth);
    return stage;
}

void CZAVImgDrawerWithAntialiasing::PaintResult(HDC dc, CZAVImg& result, const RECT& target)
{
    CZAVImgDrawerWithAntialiasing& drawer = result.GetDrawer();
    drawer.m_useDrawDib = m_useDrawDib;
    drawer.m_useBitmapCache = false;  // the work image changes with every paint
    if (!drawer.Paint(dc, target.left, target.top, Width(target), Height(target), 0, 0, -1, -1, 0))
        ThrowTextException(drawer.GetLastFailure().GetLength() ? drawer.GetLastFailure().GetText() : "Error");
}

bool CZAVImgDrawerWithAntialiasing::RenderAntialiased(HDC dc, const RECT& target, const RECT& source)
{
    if (Width(target) < kMinimumAntialiasSide || Height(target) < kMinimumAntialiasSide ||
        Width(source) < kMinimumAntialiasSide || Height(source) < kMinimumAntialiasSide)
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
    const int depth = m_image->GetBitsPerPixel();
    if (depth != 1 && depth != 8 && depth != 24)
        return false;  // the section copy and the library take these depths only
    WorkImagesScope scope(m_antialias);
    CopySection(source);
    CZAVImg& section = *m_antialias.images[1];
    const int workDepth = section.GetBitsPerPixel();
    m_antialias.objects[0]->AttachNoFree(section.GetImageData(), section.GetImageSize(), section.GetWidth(),
                                         section.GetHeight(), workDepth);
    CZAVImg& resampled = MakeStage(2, Width(target), Height(target), workDepth);
    m_antialias.objects[1]->Resample(*m_antialias.objects[0], Width(target), Height(target), kResampleMethod);
    resampled.GetPalette() = section.GetPalette();
    m_antialias.objects[0]->Clear();
    section.Clear();
    CZAVImg* result = &resampled;
    if (m_drawMode != kDrawModeAntialiasResample) {
        CZAVImg& filtered = MakeStage(3, Width(target), Height(target), workDepth);
        m_antialias.objects[2]->Filter(*m_antialias.objects[1]);
        filtered.GetPalette() = resampled.GetPalette();
        if (m_drawMode == kDrawModeAntialiasLogic && depth == 1)
            m_antialias.objects[2]->Logic();
        result = &filtered;
    }
    PaintResult(dc, *result, target);
    return true;
}

}  // namespace ZAV
