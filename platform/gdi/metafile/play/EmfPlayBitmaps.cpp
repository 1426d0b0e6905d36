// The bitmap records: EMR_BITBLT, EMR_STRETCHBLT, EMR_SETDIBITSTODEVICE and
// EMR_STRETCHDIBITS ([MS-EMF] bitmap record types), each drawn with
// StretchDIBits onto the target once its DIB lies inside the record.
#include "platform/gdi/Blits.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetaDib.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>
#include <cmath>

namespace ZAV {
namespace Meta {

namespace {

// One bitmap record's fields, whichever its type.
struct BitmapFields {
    LONG xDest = 0, yDest = 0, cxDest = 0, cyDest = 0;
    LONG xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    DWORD rop = SRCCOPY;
    DWORD usage = DIB_RGB_COLORS;
    DibPlace place;
    bool topDownSource = false;  // the blits count source rows from the top
    uint32_t startScan = 0;
};

// The source transform of a blit must leave the source as it is.
bool IdentityTransform(const uint8_t* p)
{
    const float expected[6] = {1, 0, 0, 1, 0, 0};
    for (int i = 0; i < 6; ++i)
        if (GetFloat(p + 4 * i) != expected[i])
            return false;
    return true;
}

// EMR_BITBLT and EMR_STRETCHBLT: Bounds, xDest, yDest, cxDest, cyDest,
// BitBltRasterOperation, xSrc, ySrc, XformSrc, BkColorSrc, UsageSrc, the
// DIB's offsets and sizes, then cxSrc and cySrc for the stretch.
PlayResult ReadBlit(const EmfRecord& r, BitmapFields& f)
{
    const bool stretch = r.type == EMR_STRETCHBLT;
    if (r.size < (stretch ? kStretchBltFixedBytes : kBitBltFixedBytes))
        return PlayResult::Broken;
    const uint8_t* p = r.data;
    f.xDest = GetLong(p + 24), f.yDest = GetLong(p + 28), f.cxDest = GetLong(p + 32), f.cyDest = GetLong(p + 36);
    f.rop = GetDword(p + 40);
    f.xSrc = GetLong(p + 44), f.ySrc = GetLong(p + 48);
    f.usage = GetDword(p + 80);
    f.place.offInfo = GetDword(p + 84), f.place.cbInfo = GetDword(p + 88);
    f.place.offBits = GetDword(p + 92), f.place.cbBits = GetDword(p + 96);
    f.cxSrc = stretch ? GetLong(p + 100) : f.cxDest;
    f.cySrc = stretch ? GetLong(p + 104) : f.cyDest;
    f.topDownSource = true;
    if (f.place.cbInfo == 0 || !IdentityTransform(p + 52))
        return PlayResult::Unsupported;  // a pattern fill without source, or a transformed source
    return PlayResult::Played;
}

// EMR_SETDIBITSTODEVICE and EMR_STRETCHDIBITS: Bounds, xDest, yDest, xSrc,
// ySrc, cxSrc, cySrc, the DIB's offsets and sizes, UsageSrc, then iStartScan
// and cScans, or BitBltRasterOperation, cxDest and cyDest.
PlayResult ReadDibCopy(const EmfRecord& r, BitmapFields& f)
{
    const bool stretch = r.type == EMR_STRETCHDIBITS;
    if (r.size < (stretch ? kStretchDIBitsFixedBytes : kSetDIBitsFixedBytes))
        return PlayResult::Broken;
    const uint8_t* p = r.data;
    f.xDest = GetLong(p + 24), f.yDest = GetLong(p + 28), f.xSrc = GetLong(p + 32), f.ySrc = GetLong(p + 36);
    f.cxSrc = GetLong(p + 40), f.cySrc = GetLong(p + 44);
    f.place.offInfo = GetDword(p + 48), f.place.cbInfo = GetDword(p + 52);
    f.place.offBits = GetDword(p + 56), f.place.cbBits = GetDword(p + 60);
    f.usage = GetDword(p + 64);
    if (stretch) {
        f.rop = GetDword(p + 68);
        f.cxDest = GetLong(p + 72), f.cyDest = GetLong(p + 76);
    } else {
        f.startScan = GetDword(p + 68);
        f.place.bandRows = GetDword(p + 72);
        f.cxDest = f.cxSrc, f.cyDest = f.cySrc;
        if (f.place.bandRows == 0)
            return PlayResult::Broken;
    }
    return PlayResult::Played;
}

PlayResult Draw(PlayContext& c, const BitmapFields& f, const RecordDib& dib)
{
    const MetaMapping& m = c.state.mapping;
    const DeviceBox box{m.X(f.xDest), m.Y(f.yDest), m.X(double(f.xDest) + f.cxDest), m.Y(double(f.yDest) + f.cyDest)};
    RECT to{};
    if (!ToTarget(c, box, to))
        return PlayResult::Broken;
    if (to.right < to.left || to.bottom < to.top)
        return PlayResult::Unsupported;  // mirrored pictures are not played
    if (!ApplyClip(c))
        return PlayResult::Broken;
    // StretchDIBits counts source rows of a bottom-up DIB from its bottom.
    LONG dibY = f.topDownSource && dib.bottomUp ? dib.rows - f.ySrc - f.cySrc : f.ySrc;
    if (!f.topDownSource && dib.bottomUp)
        dibY -= static_cast<LONG>(f.startScan);
    if (to.right > to.left && to.bottom > to.top)
        StretchDIBits(c.dc, to.left, to.top, to.right - to.left, to.bottom - to.top, f.xSrc, dibY, f.cxSrc, f.cySrc,
                      dib.bits, dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    RestoreTargetClip(c);
    return PlayResult::Played;
}

}  // namespace

bool IsBitmapRecord(uint32_t type)
{
    return type == EMR_BITBLT || type == EMR_STRETCHBLT || type == EMR_SETDIBITSTODEVICE || type == EMR_STRETCHDIBITS;
}

PlayResult PlayBitmapRecord(PlayContext& c, const EmfRecord& record)
{
    BitmapFields f;
    const bool blit = record.type == EMR_BITBLT || record.type == EMR_STRETCHBLT;
    const PlayResult read = blit ? ReadBlit(record, f) : ReadDibCopy(record, f);
    if (read != PlayResult::Played)
        return read;
    if (f.rop != SRCCOPY)
        return PlayResult::Unsupported;
    if (f.cxSrc < 0 || f.cySrc < 0 || f.xSrc < 0 || f.ySrc < 0)
        return PlayResult::Unsupported;
    RecordDib dib;
    const DibCheck check = LocateDib(record.data, record.size, f.place, f.usage, dib);
    if (check != DibCheck::Ok)
        return check == DibCheck::Unsupported ? PlayResult::Unsupported : PlayResult::Broken;
    // The source rectangle lies inside the DIB (the band's rows for
    // EMR_SETDIBITSTODEVICE), which also keeps the row arithmetic in range.
    const int64_t firstRow = int64_t(f.ySrc) - (f.topDownSource ? 0 : f.startScan);
    if (int64_t(f.xSrc) + f.cxSrc > dib.width || firstRow < 0 || firstRow + f.cySrc > dib.rows)
        return PlayResult::Broken;
    return Draw(c, f, dib);
}

}  // namespace Meta
}  // namespace ZAV
