#include "platform/gdi/metafile/MetaMapping.h"

#include <algorithm>
#include <cmath>

namespace ZAV {
namespace Meta {

namespace {

bool Scalable(int mode)
{
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

}  // namespace

bool MetaMapping::SetMode(int mode)
{
    if (mode != MM_TEXT && !Scalable(mode))
        return false;
    mapMode = mode;
    return true;
}

bool MetaMapping::SetWindowExt(LONG cx, LONG cy)
{
    if (cx == 0 || cy == 0)
        return false;
    if (Scalable(mapMode))
        windowExt = SIZE{cx, cy};
    return true;
}

bool MetaMapping::SetViewportExt(LONG cx, LONG cy)
{
    if (cx == 0 || cy == 0)
        return false;
    if (Scalable(mapMode))
        viewportExt = SIZE{cx, cy};
    return true;
}

bool MetaMapping::SetOriginOrExtent(uint32_t type, LONG x, LONG y)
{
    if (type == EMR_SETWINDOWORGEX)
        windowOrg = POINT{x, y};
    else if (type == EMR_SETVIEWPORTORGEX)
        viewportOrg = POINT{x, y};
    else if (type == EMR_SETWINDOWEXTEX)
        return SetWindowExt(x, y);
    else
        return SetViewportExt(x, y);
    return true;
}

double MetaMapping::ScaleX() const
{
    if (!Scalable(mapMode))
        return 1.0;
    const double sx = double(viewportExt.cx) / windowExt.cx;
    if (mapMode == MM_ANISOTROPIC)
        return sx;
    const double sy = double(viewportExt.cy) / windowExt.cy;
    return std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sx);
}

double MetaMapping::ScaleY() const
{
    if (!Scalable(mapMode))
        return 1.0;
    const double sy = double(viewportExt.cy) / windowExt.cy;
    if (mapMode == MM_ANISOTROPIC)
        return sy;
    const double sx = double(viewportExt.cx) / windowExt.cx;
    return std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sy);
}

double MetaMapping::X(double x) const
{
    return (x - windowOrg.x) * ScaleX() + viewportOrg.x;
}

double MetaMapping::Y(double y) const
{
    return (y - windowOrg.y) * ScaleY() + viewportOrg.y;
}

}  // namespace Meta
}  // namespace ZAV
