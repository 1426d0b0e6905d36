#include "platform/gdi/metafile/EmfHeader.h"

#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>

namespace ZAV {
namespace Meta {

namespace {

constexpr uint32_t kFirstExtensionEnd = 100;
constexpr int64_t kFrameBytesPerPixel = 3;  // the 24-bit picture a frame becomes

LONG EdgeInPixels(LONG frameValue, LONG devicePixels, LONG millimetres)
{
    const int64_t pixels = int64_t(frameValue) * devicePixels / (int64_t(millimetres) * 100);
    return static_cast<LONG>(std::clamp<int64_t>(pixels, INT32_MIN, INT32_MAX));
}

void ReadExtensions(const uint8_t* p, ENHMETAHEADER& h)
{
    if (h.nSize >= kFirstExtensionEnd) {
        h.cbPixelFormat = GetDword(p + 88);
        h.offPixelFormat = GetDword(p + 92);
        h.bOpenGL = GetDword(p + 96);
    }
    if (h.nSize >= kEnhHeaderBytes)
        h.szlMicrometers = GetSizel(p + 100);
}

void ReadFields(const uint8_t* p, ENHMETAHEADER& h)
{
    h = ENHMETAHEADER{};
    h.iType = GetDword(p);
    h.nSize = GetDword(p + 4);
    h.rclBounds = GetRectl(p + 8);
    h.rclFrame = GetRectl(p + 24);
    h.dSignature = GetDword(p + 40);
    h.nVersion = GetDword(p + 44);
    h.nBytes = GetDword(p + 48);
    h.nRecords = GetDword(p + 52);
    h.nHandles = GetWord(p + 56);
    h.sReserved = GetWord(p + 58);
    h.nDescription = GetDword(p + 60);
    h.offDescription = GetDword(p + 64);
    h.nPalEntries = GetDword(p + 68);
    h.szlDevice = GetSizel(p + 72);
    h.szlMillimeters = GetSizel(p + 80);
}

bool SizesHold(const ENHMETAHEADER& h, size_t size)
{
    return h.iType == EMR_HEADER && h.dSignature == kEnhSignature && h.nSize >= kEnhBaseHeaderBytes &&
           h.nSize % 4 == 0 && h.nBytes >= h.nSize && h.nBytes <= size && h.nBytes % 4 == 0;
}

bool DescriptionInside(const ENHMETAHEADER& h)
{
    return h.nDescription == 0 || (h.offDescription >= kEnhBaseHeaderBytes &&
                                   uint64_t(h.offDescription) + 2 * uint64_t(h.nDescription) <= h.nSize);
}

bool FrameHolds(const ENHMETAHEADER& h)
{
    if (h.szlDevice.cx <= 0 || h.szlDevice.cy <= 0 || h.szlMillimeters.cx <= 0 || h.szlMillimeters.cy <= 0)
        return false;
    const RECT px = FrameInPixels(h);
    const int64_t width = int64_t(px.right) - px.left;
    const int64_t height = int64_t(px.bottom) - px.top;
    const int64_t mostPixels = kMaxMetafileImageBytes / kFrameBytesPerPixel;
    return width > 0 && height > 0 && width <= mostPixels && height <= mostPixels / width &&
           int64_t(h.rclBounds.right) - h.rclBounds.left >= -1 && int64_t(h.rclBounds.bottom) - h.rclBounds.top >= -1;
}

}  // namespace

bool ReadEnhHeader(const uint8_t* data, size_t size, ENHMETAHEADER& header)
{
    if (!data || size < kEnhBaseHeaderBytes)
        return false;
    ReadFields(data, header);
    if (!SizesHold(header, size) || !DescriptionInside(header))
        return false;
    ReadExtensions(data, header);
    return FrameHolds(header);
}

void WriteEnhHeader(RecordWriter& out, const ENHMETAHEADER& h)
{
    out.Dword(EMR_HEADER);
    out.Dword(kEnhHeaderBytes);
    out.Rectl(h.rclBounds);
    out.Rectl(h.rclFrame);
    out.Dword(kEnhSignature);
    out.Dword(kEnhVersion);
    out.Dword(h.nBytes);
    out.Dword(h.nRecords);
    out.Word(h.nHandles);
    out.Word(0);
    out.Dword(0);  // no description
    out.Dword(0);
    out.Dword(h.nPalEntries);
    out.Sizel(h.szlDevice);
    out.Sizel(h.szlMillimeters);
    out.Dword(0);  // no pixel format
    out.Dword(0);
    out.Dword(0);  // not OpenGL
    out.Sizel(h.szlMicrometers);
}

RECT FrameInPixels(const ENHMETAHEADER& h)
{
    const SIZEL& dev = h.szlDevice;
    const SIZEL& mm = h.szlMillimeters;
    return RECT{EdgeInPixels(h.rclFrame.left, dev.cx, mm.cx), EdgeInPixels(h.rclFrame.top, dev.cy, mm.cy),
                EdgeInPixels(h.rclFrame.right, dev.cx, mm.cx), EdgeInPixels(h.rclFrame.bottom, dev.cy, mm.cy)};
}

}  // namespace Meta
}  // namespace ZAV
