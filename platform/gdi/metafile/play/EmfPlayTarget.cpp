// Where the play meets its target DC: the frame's place, the clip, and the
// drawing attributes the play borrows and gives back.
#include "platform/gdi/Objects.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ZAV {
namespace Meta {

namespace {

bool Within(double value)
{
    return std::fabs(value) <= kMaxPlayCoordinate;
}

}  // namespace

bool ToTarget(const PlayContext& c, const DeviceBox& box, RECT& out)
{
    const double l = c.originX + (box.left - c.frameLeft) * c.scaleX;
    const double t = c.originY + (box.top - c.frameTop) * c.scaleY;
    const double r = c.originX + (box.right - c.frameLeft) * c.scaleX;
    const double b = c.originY + (box.bottom - c.frameTop) * c.scaleY;
    if (!Within(l) || !Within(t) || !Within(r) || !Within(b))
        return false;
    out = RECT{static_cast<LONG>(std::lround(l)), static_cast<LONG>(std::lround(t)), static_cast<LONG>(std::lround(r)),
               static_cast<LONG>(std::lround(b))};
    return true;
}

// The metafile's clip, on the target's device, within the target's own clip.
bool ApplyClip(PlayContext& c)
{
    Gdi::DC& dc = *c.target;
    if (!c.state.hasClip)
        return true;
    RECT clip{};
    if (!ToTarget(c, c.state.clip, clip))
        return false;
    clip = RECT{clip.left - dc.windowOrg.x, clip.top - dc.windowOrg.y, clip.right - dc.windowOrg.x,
                clip.bottom - dc.windowOrg.y};
    if (c.targetHadClip)
        clip = RECT{std::max(clip.left, c.targetClip.left), std::max(clip.top, c.targetClip.top),
                    std::min(clip.right, c.targetClip.right), std::min(clip.bottom, c.targetClip.bottom)};
    dc.hasClip = true;
    dc.clip = clip;
    return true;
}

void RestoreTargetClip(PlayContext& c)
{
    c.target->hasClip = c.targetHadClip;
    c.target->clip = c.targetClip;
}

void KeepTargetAttributes(PlayContext& c)
{
    const Gdi::DC& dc = *c.target;
    TargetAttributes& a = c.targetAttributes;
    a.pen = dc.pen, a.brush = dc.brush, a.font = dc.font;
    a.textColour = dc.textColour, a.background = dc.background;
    a.bkMode = dc.bkMode, a.polyFillMode = dc.polyFillMode, a.textAlign = dc.textAlign;
    a.current = dc.current;
    std::memcpy(a.world, dc.world, sizeof a.world);
    a.clipPath = dc.clipPath, a.clipPathFillMode = dc.clipPathFillMode;
    // A metafile starts with the default objects of a new DC.
    c.state.draw.pen = GetStockObject(BLACK_PEN);
    c.state.draw.brush = GetStockObject(WHITE_BRUSH);
    c.state.draw.font = GetStockObject(SYSTEM_FONT);
}

void RestoreTargetAttributes(PlayContext& c)
{
    Gdi::DC& dc = *c.target;
    const TargetAttributes& a = c.targetAttributes;
    dc.pen = a.pen, dc.brush = a.brush, dc.font = a.font;
    dc.textColour = a.textColour, dc.background = a.background;
    dc.bkMode = a.bkMode, dc.polyFillMode = a.polyFillMode, dc.textAlign = a.textAlign;
    dc.current = a.current;
    std::memcpy(dc.world, a.world, sizeof dc.world);
    dc.clipPath = a.clipPath, dc.clipPathFillMode = a.clipPathFillMode;
    dc.pathBuilder.reset();
    dc.path.reset();
    for (HGDIOBJ object : c.made)
        DeleteObject(object);
    c.made.clear();
    c.objects.clear();
}

}  // namespace Meta
}  // namespace ZAV
