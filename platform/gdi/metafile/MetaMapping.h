// The page-space mapping of a metafile's device context: mapping mode,
// window and viewport origins and extents, turning logical coordinates into
// reference-device pixels. MM_TEXT maps one to one; MM_ANISOTROPIC scales
// each axis by viewport over window extent; MM_ISOTROPIC takes the smaller
// of the two scales for both axes, keeping each axis' sign. The recorder
// and the player share it, so a record's bounds and its playing agree.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

namespace ZAV {
namespace Meta {

struct MetaMapping {
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    SIZE windowExt{1, 1};
    POINT viewportOrg{0, 0};
    SIZE viewportExt{1, 1};

    // False for a mode outside MM_TEXT, MM_ISOTROPIC and MM_ANISOTROPIC.
    bool SetMode(int mode);
    // False for a zero extent; in MM_TEXT the extents stay as they are.
    bool SetWindowExt(LONG cx, LONG cy);
    bool SetViewportExt(LONG cx, LONG cy);
    // What an EMR_SETWINDOWORGEX, EMR_SETVIEWPORTORGEX, EMR_SETWINDOWEXTEX
    // or EMR_SETVIEWPORTEXTEX of (x, y) sets; false as the extents refuse.
    bool SetOriginOrExtent(uint32_t type, LONG x, LONG y);

    double X(double x) const;
    double Y(double y) const;
    double ScaleX() const;
    double ScaleY() const;
};

}  // namespace Meta
}  // namespace ZAV
