#include "platform/gdi/Blits.h"

#include "platform/gdi/DibPixels.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

#include <algorithm>
#include <functional>

using namespace ZAV::Gdi;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// A source pixel already in the destination's terms: black or white for a
// monochrome destination, a colour otherwise. False when outside the source.
using Sampler = std::function<bool(LONG sx, LONG sy, COLORREF& colour)>;

bool IsMonoSurface(const Bitmap* bitmap)
{
    return bitmap && !bitmap->dibSection && bitmap->bitsPixel == 1;
}

bool KnownRop(DWORD rop)
{
    return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT || rop == NOTSRCCOPY;
}

COLORREF Combine(DWORD rop, COLORREF dest, COLORREF source)
{
    switch (rop) {
    case SRCAND:
        return dest & source;
    case SRCPAINT:
        return dest | source;
    case NOTSRCCOPY:
        return ~source & kWhite;
    default:
        return source;
    }
}

// Maps each destination pixel of the rectangle to its nearest source pixel.
void Transfer(DC& dest, RECT target, LONG sourceWidth, LONG sourceHeight, const Sampler& sample, DWORD rop)
{
    const LONG width = target.right - target.left;
    const LONG height = target.bottom - target.top;
    const RECT area = DrawableArea(dest);
    Bitmap* surface = SurfaceOf(dest);
    for (LONG y = std::max(target.top, area.top); y < std::min(target.bottom, area.bottom); ++y) {
        const LONG sy = static_cast<LONG>(static_cast<int64_t>(y - target.top) * sourceHeight / height);
        for (LONG x = std::max(target.left, area.left); x < std::min(target.right, area.right); ++x) {
            const LONG sx = static_cast<LONG>(static_cast<int64_t>(x - target.left) * sourceWidth / width);
            COLORREF colour;
            if (sample(sx, sy, colour))
                PaintPixel(dest, x, y, Combine(rop, ReadPixel(*surface, x, y), colour));
        }
    }
}

Sampler DCSampler(DC& source, const DC& dest, LONG originX, LONG originY)
{
    const Bitmap* from = SurfaceOf(source);
    const bool monoFrom = IsMonoSurface(from);
    const bool monoTo = IsMonoSurface(SurfaceOf(const_cast<DC&>(dest)));
    const COLORREF key = source.background & kWhite;
    const COLORREF foreground = dest.textColour & kWhite;
    const COLORREF background = dest.background & kWhite;
    return [=](LONG sx, LONG sy, COLORREF& colour) {
        const LONG x = originX + sx;
        const LONG y = originY + sy;
        if (!from || x < 0 || y < 0 || x >= from->width || y >= from->height)
            return false;
        colour = ReadPixel(*from, x, y);
        if (monoTo && !monoFrom)
            colour = colour == key ? kWhite : 0;
        else if (monoFrom && !monoTo)
            colour = colour == kWhite ? background : foreground;
        return true;
    };
}

bool Prepare(HDC destHandle, int width, int height, DWORD rop, DC*& dest)
{
    dest = FindDC(destHandle);
    return dest && SurfaceOf(*dest) && width > 0 && height > 0 && KnownRop(rop);
}

RECT DeviceRect(const DC& dc, int x, int y, int width, int height)
{
    const POINT p = ToDevice(dc, x, y);
    return RECT{p.x, p.y, p.x + width, p.y + height};
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(dest))
        return ZAV::Meta::RecordBlit(*recording, x, y, width, height, source, sourceX, sourceY, width, height, rop,
                                     false);
    return StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(destHandle))
        return ZAV::Meta::RecordBlit(*recording, x, y, width, height, sourceHandle, sourceX, sourceY, sourceWidth,
                                     sourceHeight, rop, true);
    DC* dest = nullptr;
    DC* source = FindDC(sourceHandle);
    if (ZAV::GdiKnobs().blit || !Prepare(destHandle, width, height, rop, dest) || !source || sourceWidth <= 0 ||
        sourceHeight <= 0)
        return FALSE;
    const POINT origin = ToDevice(*source, sourceX, sourceY);
    Transfer(*dest, DeviceRect(*dest, x, y, width, height), sourceWidth, sourceHeight,
             DCSampler(*source, *dest, origin.x, origin.y), rop);
    return TRUE;
}

int StretchDIBits(HDC destHandle, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(destHandle))
        return ZAV::Meta::RecordStretchDIBits(*recording, x, y, width, height, sourceX, sourceY, sourceWidth,
                                              sourceHeight, bits, info, usage, rop);
    DC* dest = nullptr;
    DibView view;
    if (!Prepare(destHandle, width, height, rop, dest) || !MakeDibView(info, bits, view) || sourceWidth <= 0 ||
        sourceHeight <= 0)
        return 0;
    // Rows of the source rectangle from the top of the picture.
    const LONG top = view.bottomUp ? view.height - sourceY - sourceHeight : sourceY;
    const bool monoTo = IsMonoSurface(SurfaceOf(*dest));
    Sampler sample = [&](LONG sx, LONG sy, COLORREF& colour) {
        const LONG px = sourceX + sx;
        const LONG py = top + sy;
        if (px < 0 || py < 0 || px >= view.width || py >= view.height)
            return false;
        colour = ReadDibPixel(view, px, py);
        if (monoTo)
            colour = colour == (dest->background & kWhite) ? kWhite : 0;
        return true;
    };
    Transfer(*dest, DeviceRect(*dest, x, y, width, height), sourceWidth, sourceHeight, sample, rop);
    return sourceHeight;
}
