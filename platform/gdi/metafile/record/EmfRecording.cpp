#include "platform/gdi/metafile/record/EmfRecording.h"

#include "platform/gdi/DCState.h"

#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ZAV {
namespace Meta {

namespace {

// A recording may grow to the largest picture plus its records.
constexpr uint64_t kMaxRecordingBytes = uint64_t(kMaxMetafileImageBytes) + (1u << 20);

uint32_t FixedBytes(uint32_t type)
{
    switch (type) {
    case EMR_BITBLT:
        return kBitBltFixedBytes;
    case EMR_STRETCHBLT:
        return kStretchBltFixedBytes;
    case EMR_SETDIBITSTODEVICE:
        return kSetDIBitsFixedBytes;
    default:
        return kStretchDIBitsFixedBytes;
    }
}

uint32_t FloatBits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A mapped coordinate as a 32-bit pixel, held inside the field's range.
LONG Pixel(double value)
{
    return static_cast<LONG>(std::lround(std::clamp(value, double(INT32_MIN) + 1, double(INT32_MAX))));
}

// The destination in reference-device pixels, inclusive, joined to the bounds.
RECTL DeviceBounds(EmfRecording& r, const BlitFields& f, LONG cx, LONG cy)
{
    const double x0 = r.mapping.X(f.xDest), x1 = r.mapping.X(double(f.xDest) + cx);
    const double y0 = r.mapping.Y(f.yDest), y1 = r.mapping.Y(double(f.yDest) + cy);
    const RECT box{Pixel(std::min(x0, x1)), Pixel(std::min(y0, y1)), Pixel(std::max(x0, x1)) - 1,
                   Pixel(std::max(y0, y1)) - 1};
    if (!r.hasBounds)
        r.bounds = box;
    r.bounds = RECT{std::min(r.bounds.left, box.left), std::min(r.bounds.top, box.top),
                    std::max(r.bounds.right, box.right), std::max(r.bounds.bottom, box.bottom)};
    r.hasBounds = true;
    return RECTL{box.left, box.top, box.right, box.bottom};
}

void WriteSource(RecordWriter& w, const BlitFields& f, uint32_t cbInfo, uint64_t bitsBytes, uint32_t fixed)
{
    w.Long(f.xSrc);
    w.Long(f.ySrc);
    for (float value : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})  // XformSrc: identity
        w.Dword(FloatBits(value));
    w.Dword(f.bkColor);
    w.Dword(DIB_RGB_COLORS);
    w.Dword(fixed);
    w.Dword(cbInfo);
    w.Dword(fixed + cbInfo);
    w.Dword(static_cast<uint32_t>(bitsBytes));
}

void WriteFixed(RecordWriter& w, uint32_t type, const BlitFields& f, uint32_t cbInfo, uint64_t bitsBytes, LONG rows)
{
    const uint32_t fixed = FixedBytes(type);
    if (type == EMR_BITBLT || type == EMR_STRETCHBLT) {
        w.Long(f.xDest), w.Long(f.yDest), w.Long(f.cxDest), w.Long(f.cyDest);
        w.Dword(f.rop);
        WriteSource(w, f, cbInfo, bitsBytes, fixed);
        if (type == EMR_STRETCHBLT)
            w.Long(f.cxSrc), w.Long(f.cySrc);
        return;
    }
    w.Long(f.xDest), w.Long(f.yDest), w.Long(f.xSrc), w.Long(f.ySrc), w.Long(f.cxSrc), w.Long(f.cySrc);
    w.Dword(fixed), w.Dword(cbInfo), w.Dword(fixed + cbInfo), w.Dword(static_cast<uint32_t>(bitsBytes));
    w.Dword(DIB_RGB_COLORS);
    if (type == EMR_SETDIBITSTODEVICE) {
        w.Dword(0);  // iStartScan: the whole DIB is kept
        w.Dword(static_cast<uint32_t>(rows));
    } else {
        w.Dword(f.rop);
        w.Long(f.cxDest), w.Long(f.cyDest);
    }
}

void WriteInfo(RecordWriter& w, const RecordDib& dib)
{
    const BITMAPINFOHEADER& h = dib.Info()->bmiHeader;
    w.Dword(h.biSize), w.Long(h.biWidth), w.Long(h.biHeight), w.Word(h.biPlanes), w.Word(h.biBitCount);
    w.Dword(h.biCompression), w.Dword(h.biSizeImage), w.Long(h.biXPelsPerMeter), w.Long(h.biYPelsPerMeter);
    w.Dword(h.biClrUsed), w.Dword(h.biClrImportant);
    w.Bytes(dib.info.data() + sizeof h, dib.info.size() - sizeof h);
}

}  // namespace

bool AppendValues(EmfRecording& r, uint32_t type, std::initializer_list<uint32_t> values)
{
    if (r.count + 2 >= kMaxMetafileRecords)
        return false;
    RecordWriter w(r.records);
    w.Dword(type);
    w.Dword(static_cast<uint32_t>(kEnhRecordHead + 4 * values.size()));
    for (uint32_t value : values)
        w.Dword(value);
    ++r.count;
    return true;
}

bool AppendRecord(EmfRecording& r, uint32_t type, const std::vector<uint8_t>& body)
{
    const uint64_t size = kEnhRecordHead + (uint64_t(body.size()) + 3) / 4 * 4;
    if (r.count + 2 >= kMaxMetafileRecords || r.records.size() + size > kMaxRecordingBytes)
        return false;
    RecordWriter w(r.records);
    w.Dword(type);
    w.Dword(static_cast<uint32_t>(size));
    w.Bytes(body.data(), body.size());
    r.records.resize(r.records.size() + (size - kEnhRecordHead - body.size()), 0);
    ++r.count;
    return true;
}

void JoinBounds(EmfRecording& r, const std::vector<POINT>& points)
{
    for (const POINT& p : points) {
        const LONG x = Pixel(r.mapping.X(p.x)), y = Pixel(r.mapping.Y(p.y));
        if (!r.hasBounds)
            r.bounds = RECT{x, y, x, y};
        r.bounds = RECT{std::min(r.bounds.left, x), std::min(r.bounds.top, y), std::max(r.bounds.right, x),
                        std::max(r.bounds.bottom, y)};
        r.hasBounds = true;
    }
}

bool AppendBitmapRecord(EmfRecording& r, uint32_t type, const BlitFields& f, const RecordDib& dib, uint64_t bitsBytes)
{
    const uint32_t cbInfo = static_cast<uint32_t>(dib.info.size());
    const uint64_t size = FixedBytes(type) + uint64_t(cbInfo) + bitsBytes;
    if (r.count + 2 >= kMaxMetafileRecords || size % 4 != 0 || r.records.size() + size > kMaxRecordingBytes)
        return false;
    const bool sizedBySource = type == EMR_SETDIBITSTODEVICE;
    const RECTL bounds = DeviceBounds(r, f, sizedBySource ? f.cxSrc : f.cxDest, sizedBySource ? f.cySrc : f.cyDest);
    RecordWriter w(r.records);
    w.Dword(type);
    w.Dword(static_cast<uint32_t>(size));
    w.Rectl(bounds);
    WriteFixed(w, type, f, cbInfo, bitsBytes, dib.rows);
    WriteInfo(w, dib);
    w.Bytes(dib.bits, static_cast<size_t>(bitsBytes));
    ++r.count;
    return true;
}

bool RecordMapModeChange(EmfRecording& r, int mode)
{
    return r.mapping.SetMode(mode) && AppendValues(r, EMR_SETMAPMODE, {static_cast<uint32_t>(mode)});
}

bool RecordOriginOrExtent(EmfRecording& r, uint32_t type, LONG x, LONG y)
{
    return r.mapping.SetOriginOrExtent(type, x, y) &&
           AppendValues(r, type, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
}

bool RecordSave(EmfRecording& r)
{
    if (static_cast<int>(r.saved.size()) >= kMaxSaveDepth)
        return false;
    r.saved.push_back(r.mapping);
    return AppendValues(r, EMR_SAVEDC, {});
}

bool RecordRestore(EmfRecording& r, int level)
{
    const int depth = static_cast<int>(r.saved.size());
    const int keep = Gdi::SavesKeptByRestore(depth, level);
    if (keep < 0)
        return false;
    r.mapping = r.saved[static_cast<size_t>(keep)];
    r.saved.resize(static_cast<size_t>(keep));
    return AppendValues(r, EMR_RESTOREDC, {static_cast<uint32_t>(keep - depth)});
}

}  // namespace Meta
}  // namespace ZAV
