// The records that change the metafile DC's state: mapping, clipping,
// saved states; and those passed over because they change nothing the
// played records draw (or nothing on a true-colour target).
#include "platform/gdi/DCState.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>

namespace ZAV {
namespace Meta {

namespace {

bool PassedOver(uint32_t type)
{
    switch (type) {
    case EMR_HEADER:
    case EMR_EOF:
    case EMR_GDICOMMENT:         // EMF+ records inside comments too: the GDI records draw the picture
    case EMR_SETSTRETCHBLTMODE:  // every stretch takes the nearest pixel here
    case EMR_SETBRUSHORGEX:
    case EMR_SETMAPPERFLAGS:
    case EMR_SETCOLORADJUSTMENT:
    case EMR_SETMETARGN:
    case EMR_SETICMMODE:
    case EMR_SETTEXTJUSTIFICATION:
        return true;
    default:
        return false;
    }
}

// The bytes a record of the type needs beyond Type and Size.
uint32_t FieldBytes(uint32_t type)
{
    switch (type) {
    case EMR_SETMAPMODE:
    case EMR_RESTOREDC:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETLAYOUT:
    case EMR_SETROP2:
        return 4;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_EXTSELECTCLIPRGN:
        return 8;
    case EMR_INTERSECTCLIPRECT:
        return 16;
    default:
        return 0;
    }
}

DeviceBox Intersect(const DeviceBox& a, const DeviceBox& b)
{
    return DeviceBox{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
}

void ClipTo(PlayState& s, const DeviceBox& box, bool replace)
{
    s.clip = s.hasClip && !replace ? Intersect(s.clip, box) : box;
    s.hasClip = true;
}

PlayResult IntersectClip(PlayState& s, const uint8_t* p)
{
    const RECTL r = GetRectl(p);
    const double x0 = s.mapping.X(r.left), x1 = s.mapping.X(r.right);
    const double y0 = s.mapping.Y(r.top), y1 = s.mapping.Y(r.bottom);
    ClipTo(s, DeviceBox{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)}, false);
    return PlayResult::Played;
}

// EMR_EXTSELECTCLIPRGN: RgnDataSize, RegionMode, then RegionData (a 32-byte
// header with the rectangle count, then the rectangles, in device units).
PlayResult SelectClipRegion(PlayState& s, const EmfRecord& record)
{
    const uint32_t dataBytes = GetDword(record.data + 8);
    const uint32_t mode = GetDword(record.data + 12);
    if (mode == RGN_COPY && dataBytes == 0) {
        s.hasClip = false;
        return PlayResult::Played;
    }
    if (dataBytes < kRegionHeaderBytes || dataBytes > record.size - 16)
        return PlayResult::Broken;
    const uint8_t* region = record.data + 16;
    const uint32_t count = GetDword(region + 8);
    if (GetDword(region) != kRegionHeaderBytes || GetDword(region + 4) != RDH_RECTANGLES ||
        uint64_t(count) * 16 > dataBytes - kRegionHeaderBytes)
        return PlayResult::Broken;
    if (count > 1 || (mode != RGN_COPY && mode != RGN_AND))
        return PlayResult::Unsupported;  // only rectangular regions are played
    const RECTL r = count ? GetRectl(region + kRegionHeaderBytes) : RECTL{0, 0, 0, 0};
    ClipTo(s, DeviceBox{double(r.left), double(r.top), double(r.right), double(r.bottom)}, mode == RGN_COPY);
    return PlayResult::Played;
}

PlayResult Save(PlayContext& c)
{
    if (static_cast<int>(c.saved.size()) >= kMaxSaveDepth)
        return PlayResult::Broken;
    c.saved.push_back(c.state);
    return PlayResult::Played;
}

PlayResult Restore(PlayContext& c, int32_t level)
{
    const int keep = Gdi::SavesKeptByRestore(static_cast<int>(c.saved.size()), level);
    if (keep < 0)
        return PlayResult::Broken;
    c.state = c.saved[static_cast<size_t>(keep)];
    c.saved.resize(static_cast<size_t>(keep));
    return PlayResult::Played;
}

}  // namespace

PlayResult PlayStateRecord(PlayContext& c, const EmfRecord& record)
{
    if (record.size < kEnhRecordHead + FieldBytes(record.type))
        return PlayResult::Broken;
    if (PassedOver(record.type))
        return PlayResult::Played;
    const uint8_t* p = record.data + kEnhRecordHead;
    switch (record.type) {
    case EMR_SETMAPMODE:
        return c.state.mapping.SetMode(GetLong(p)) ? PlayResult::Played : PlayResult::Unsupported;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
        return c.state.mapping.SetOriginOrExtent(record.type, GetLong(p), GetLong(p + 4)) ? PlayResult::Played
                                                                                          : PlayResult::Broken;
    case EMR_INTERSECTCLIPRECT:
        return IntersectClip(c.state, p);
    case EMR_EXTSELECTCLIPRGN:
        return SelectClipRegion(c.state, record);
    case EMR_SAVEDC:
        return Save(c);
    case EMR_RESTOREDC:
        return Restore(c, GetLong(p));
    case EMR_SETLAYOUT:  // right-to-left layouts are not played
        return GetDword(p) == 0 ? PlayResult::Played : PlayResult::Unsupported;
    case EMR_SETROP2:  // lines and fills mixed with the target (XOR and the like) would be drawn as plain copies
        return GetDword(p) == R2_COPYPEN ? PlayResult::Played : PlayResult::Unsupported;
    default:
        return PlayResult::Unsupported;
    }
}

}  // namespace Meta
}  // namespace ZAV
