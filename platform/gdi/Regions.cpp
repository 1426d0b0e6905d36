#include "platform/gdi/Regions.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

#include <algorithm>

using namespace ZAV::Gdi;

namespace {

bool IsEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

int KindOf(const RECT& r)
{
    return IsEmpty(r) ? NULLREGION : SIMPLEREGION;
}

RECT Intersect(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto region = std::make_unique<Region>();
    region->rect = RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    return Register(std::move(region));
}

int SelectClipRgn(HDC dc, HRGN region)
{
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC handle, HRGN regionHandle, int mode)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(handle))
        return ZAV::Meta::RecordClipRegion(*recording, regionHandle, mode);
    DC* dc = FindDC(handle);
    const Region* region = FindRegion(regionHandle);
    if (!dc || (regionHandle && !region))
        return ERROR;
    if (mode == RGN_COPY) {
        dc->hasClip = region != nullptr;
        dc->clip = region ? region->rect : RECT{};
        return region ? KindOf(dc->clip) : SIMPLEREGION;
    }
    if (mode != RGN_AND || !region)
        return ERROR;
    dc->clip = dc->hasClip ? Intersect(dc->clip, region->rect) : region->rect;
    dc->hasClip = true;
    return KindOf(dc->clip);
}

int GetClipRgn(HDC handle, HRGN regionHandle)
{
    DC* dc = FindDC(handle);
    Region* region = FindRegion(regionHandle);
    if (!dc || !region)
        return -1;
    if (!dc->hasClip)
        return 0;
    region->rect = dc->clip;
    return 1;
}

int GetClipBox(HDC handle, RECT* box)
{
    DC* dc = FindDC(handle);
    if (!dc || !box)
        return ERROR;
    RECT area = DrawableArea(*dc);
    if (IsEmpty(area))
        area = RECT{};
    *box = RECT{area.left + dc->windowOrg.x, area.top + dc->windowOrg.y, area.right + dc->windowOrg.x,
                area.bottom + dc->windowOrg.y};
    return KindOf(area);
}
