// The clip records a metafile DC takes: EMR_INTERSECTCLIPRECT in logical
// units and EMR_EXTSELECTCLIPRGN with a one-rectangle region in device
// units ([MS-EMF] RegionData with its 32-byte header), or none to remove it.
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/EmfRecording.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

namespace ZAV {
namespace Meta {

namespace {

bool AppendRegion(EmfRecording& r, const RECT* rect, int mode)
{
    if (!rect)
        return AppendValues(r, EMR_EXTSELECTCLIPRGN, {0u, static_cast<uint32_t>(mode)});
    const uint32_t dataBytes = kRegionHeaderBytes + 16;
    const auto u = [](LONG v) { return static_cast<uint32_t>(v); };
    return AppendValues(r, EMR_EXTSELECTCLIPRGN,
                        {dataBytes, static_cast<uint32_t>(mode), kRegionHeaderBytes, RDH_RECTANGLES, 1u, 16u,
                         u(rect->left), u(rect->top), u(rect->right), u(rect->bottom), u(rect->left), u(rect->top),
                         u(rect->right), u(rect->bottom)});
}

}  // namespace

int RecordClipRegion(EmfRecording& recording, HRGN region, int mode)
{
    const Gdi::Region* rect = Gdi::FindRegion(region);
    const bool removes = mode == RGN_COPY && !region;
    if ((!removes && !rect) || (mode != RGN_COPY && mode != RGN_AND) ||
        !AppendRegion(recording, removes ? nullptr : &rect->rect, mode))
        return Refuse(ERROR);
    return SIMPLEREGION;
}

int RecordIntersectClip(EmfRecording& recording, int left, int top, int right, int bottom)
{
    const auto u = [](int v) { return static_cast<uint32_t>(v); };
    if (!AppendValues(recording, EMR_INTERSECTCLIPRECT, {u(left), u(top), u(right), u(bottom)}))
        return Refuse(ERROR);
    return SIMPLEREGION;
}

}  // namespace Meta
}  // namespace ZAV
