#include "platform/gdi/DeviceContexts.h"

#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Palettes.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/metafile/record/EmfRecorder.h"
#include "platform/gdi/metafile/record/EmfRecording.h"
#include "platform/gdi/metafile/record/MetafileDC.h"
#include "platform/win/WindowsInternal.h"

#include <algorithm>

using namespace ZAV::Gdi;

namespace {

DeviceCaps ScreenCaps()
{
    DeviceCaps caps;
    caps.bitsPixel = ZAV::kScreenBitsPixel;
    caps.logPixelsX = GetScreenLogPixels(LOGPIXELSX);
    caps.logPixelsY = GetScreenLogPixels(LOGPIXELSY);
    caps.width = ZAV::kScreenWidth;
    caps.height = ZAV::kScreenHeight;
    return caps;
}

HBITMAP ScreenSurface()
{
    static HBITMAP surface = [] {
        auto bitmap = MakeDeviceBitmap(ZAV::kScreenWidth, ZAV::kScreenHeight, ZAV::kScreenBitsPixel);
        bitmap->stock = true;
        return Register(std::move(bitmap));
    }();
    return surface;
}

HDC NewDC(const DeviceCaps& caps, HBITMAP surface)
{
    auto dc = std::make_unique<DC>();
    dc->caps = caps;
    dc->bitmap = surface;
    dc->pen = GetStockObject(BLACK_PEN);
    dc->brush = GetStockObject(WHITE_BRUSH);
    dc->font = GetStockObject(SYSTEM_FONT);
    dc->palette = GetStockObject(DEFAULT_PALETTE);
    return Register(std::move(dc));
}

HGDIOBJ SelectBitmap(DC& dc, HGDIOBJ object)
{
    Bitmap* bitmap = FindBitmap(object);
    if (!dc.memory || ZAV::GdiKnobs().bitmapSelection || (bitmap->selectedInto && bitmap->selectedInto != &dc))
        return nullptr;
    if (Bitmap* old = FindBitmap(dc.bitmap))
        old->selectedInto = nullptr;
    bitmap->selectedInto = &dc;
    HGDIOBJ previous = dc.bitmap;
    dc.bitmap = object;
    return previous;
}

HGDIOBJ Swap(HGDIOBJ& slot, HGDIOBJ object)
{
    HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

}  // namespace

namespace ZAV {

HDC CreateTestDC(const TestDeviceSettings& settings)
{
    DeviceCaps caps;
    caps.technology = settings.technology;
    caps.bitsPixel = settings.bitsPixel;
    caps.rasterCaps = settings.rasterCaps;
    caps.logPixelsX = settings.logPixelsX;
    caps.logPixelsY = settings.logPixelsY;
    caps.width = settings.width;
    caps.height = settings.height;
    auto surface = MakeDeviceBitmap(settings.width, settings.height, static_cast<WORD>(settings.bitsPixel));
    surface->stock = true;  // freed with its DC, not by DeleteObject
    HBITMAP owned = Register(std::move(surface));
    HDC handle = NewDC(caps, owned);
    FindDC(handle)->ownedSurface = owned;
    return handle;
}

}  // namespace ZAV

HDC CreateCompatibleDC(HDC reference)
{
    if (ZAV::GdiKnobs().compatibleDC)
        return nullptr;
    const DC* ref = FindDC(reference);
    if (reference && !ref)
        return nullptr;
    HDC handle = NewDC(ref ? ref->caps : ScreenCaps(), GetStockObject(ZAV::Gdi::kStockMonoBitmap));
    FindDC(handle)->memory = true;
    return handle;
}

BOOL DeleteDC(HDC handle)
{
    DC* dc = FindDC(handle);
    if (!dc)
        return FALSE;
    if (Bitmap* bitmap = FindBitmap(dc->bitmap))
        bitmap->selectedInto = nullptr;
    if (dc->ownedSurface)
        Destroy(dc->ownedSurface);
    return Destroy(handle) ? TRUE : FALSE;
}

HDC GetDC(HWND window)
{
    if (!window)
        return NewDC(ScreenCaps(), ScreenSurface());
    HBITMAP surface = ZAV::Win::SurfaceOfWindow(window);
    if (!surface)
        return nullptr;
    HDC handle = NewDC(ScreenCaps(), surface);
    FindDC(handle)->window = window;
    return handle;
}

int ReleaseDC(HWND window, HDC handle)
{
    DC* dc = FindDC(handle);
    if (!dc || dc->memory || dc->window != window)
        return 0;
    Destroy(handle);
    return 1;
}

int GetDeviceCaps(HDC handle, int index)
{
    const DC* dc = FindDC(handle);
    if (!dc)
        return 0;
    const DeviceCaps& c = dc->caps;
    switch (index) {
    case TECHNOLOGY:
        return c.technology;
    case HORZRES:
        return c.width;
    case VERTRES:
        return c.height;
    case BITSPIXEL:
        return c.bitsPixel;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return c.bitsPixel <= 8 ? 1 << c.bitsPixel : -1;
    case RASTERCAPS:
        return c.bitsPixel == 8 ? (c.rasterCaps | RC_PALETTE) : c.rasterCaps;
    case LOGPIXELSX:
        return c.logPixelsX;
    case LOGPIXELSY:
        return c.logPixelsY;
    case HORZSIZE:
        return ZAV::DeviceMillimetres(c.width, c.logPixelsX);
    case VERTSIZE:
        return ZAV::DeviceMillimetres(c.height, c.logPixelsY);
    case SIZEPALETTE:
        return c.bitsPixel == 8 ? 256 : 0;
    default:
        return 0;
    }
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    DC* dc = FindDC(handle);
    Object* target = Find(object);
    if (!dc || !target)
        return nullptr;
    switch (target->kind) {
    case Kind::Bitmap:
        return SelectBitmap(*dc, object);
    case Kind::Pen:
        return Swap(dc->pen, object);
    case Kind::Brush:
        return Swap(dc->brush, object);
    case Kind::Font:
        return Swap(dc->font, object);
    case Kind::Region:
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(handle, object)));
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type)
{
    const DC* dc = FindDC(handle);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->pen;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_FONT:
        return dc->font;
    case OBJ_PAL:
        return dc->palette;
    case OBJ_BITMAP:
        return dc->bitmap;
    default:
        return nullptr;
    }
}

namespace {

COLORREF SwapColour(HDC handle, COLORREF DC::*field, COLORREF colour)
{
    DC* dc = FindDC(handle);
    if (!dc)
        return CLR_INVALID;
    std::swap(dc->*field, colour);
    return colour;
}

COLORREF ColourOf(HDC handle, COLORREF DC::*field)
{
    const DC* dc = FindDC(handle);
    return dc ? dc->*field : CLR_INVALID;
}

}  // namespace

COLORREF SetBkColor(HDC handle, COLORREF colour)
{
    return SwapColour(handle, &DC::background, colour);
}

COLORREF GetBkColor(HDC handle)
{
    return ColourOf(handle, &DC::background);
}

COLORREF SetTextColor(HDC handle, COLORREF colour)
{
    return SwapColour(handle, &DC::textColour, colour);
}

COLORREF GetTextColor(HDC handle)
{
    return ColourOf(handle, &DC::textColour);
}

int SetMapMode(HDC handle, int mode)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(handle)) {
        const int old = recording->mapping.mapMode;
        return ZAV::Meta::RecordMapModeChange(*recording, mode) ? old : ZAV::Meta::Refuse(0);
    }
    DC* dc = FindDC(handle);
    if (!dc || mode != MM_TEXT)
        return 0;  // only MM_TEXT is drawn by this layer
    std::swap(dc->mapMode, mode);
    return mode;
}

int GetMapMode(HDC handle)
{
    return ModeOf(handle, &DC::mapMode);
}

int SetStretchBltMode(HDC handle, int mode)
{
    DC* dc = FindDC(handle);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    if (dc->recording && !ZAV::Meta::RecordDword(*dc->recording, ZAV::Meta::EMR_SETSTRETCHBLTMODE, mode))
        return 0;
    std::swap(dc->stretchMode, mode);
    return mode;
}

int GetStretchBltMode(HDC handle)
{
    return ModeOf(handle, &DC::stretchMode);
}

BOOL SetWindowOrgEx(HDC handle, int x, int y, POINT* old)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(handle)) {
        if (old)
            *old = recording->mapping.windowOrg;
        return ZAV::Meta::RecordOriginOrExtent(*recording, ZAV::Meta::EMR_SETWINDOWORGEX, x, y)
                   ? TRUE
                   : ZAV::Meta::Refuse(FALSE);
    }
    DC* dc = FindDC(handle);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->windowOrg;
    dc->windowOrg = POINT{x, y};
    return TRUE;
}

BOOL GetWindowOrgEx(HDC handle, POINT* origin)
{
    const DC* dc = FindDC(handle);
    if (!dc || !origin)
        return FALSE;
    *origin = dc->windowOrg;
    return TRUE;
}

namespace {

// Moves points by the window origin: +1 from device to logical, -1 back.
BOOL MoveByOrigin(HDC handle, POINT* points, int count, int sign)
{
    const DC* dc = FindDC(handle);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        points[i].x += sign * dc->windowOrg.x;
        points[i].y += sign * dc->windowOrg.y;
    }
    return TRUE;
}

}  // namespace

BOOL DPtoLP(HDC handle, POINT* points, int count)
{
    return MoveByOrigin(handle, points, count, 1);
}

BOOL LPtoDP(HDC handle, POINT* points, int count)
{
    return MoveByOrigin(handle, points, count, -1);
}

namespace ZAV {
namespace Gdi {

RECT DrawableArea(DC& dc)
{
    const Bitmap* surface = SurfaceOf(dc);
    RECT area{0, 0, surface ? surface->width : 0, surface ? surface->height : 0};
    if (dc.hasClip) {
        area.left = std::max(area.left, dc.clip.left);
        area.top = std::max(area.top, dc.clip.top);
        area.right = std::min(area.right, dc.clip.right);
        area.bottom = std::min(area.bottom, dc.clip.bottom);
    }
    return area;
}

void PaintPixel(DC& dc, LONG x, LONG y, COLORREF colour)
{
    const RECT area = DrawableArea(dc);
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom)
        return;
    Bitmap* surface = SurfaceOf(dc);
    if (dc.caps.bitsPixel == 8 && !surface->dibSection && surface->bitsPixel != 1) {
        const auto& entries = SelectedPaletteEntries(dc);
        const PALETTEENTRY& e = entries[NearestEntry(entries, colour)];
        colour = RGB(e.peRed, e.peGreen, e.peBlue);
    }
    WritePixel(*surface, x, y, colour);
}

POINT ToDevice(const DC& dc, LONG x, LONG y)
{
    return POINT{x - dc.windowOrg.x, y - dc.windowOrg.y};
}

}  // namespace Gdi
}  // namespace ZAV
