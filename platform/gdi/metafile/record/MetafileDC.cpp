#include "platform/gdi/metafile/record/MetafileDC.h"

#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/EmfRecording.h"

namespace ZAV {
namespace Meta {

namespace {

constexpr int kNotRecorded = 0;

// The whole bitmap of a memory DC as a bottom-up 24-bit DIB.
bool SourceAsDib(HDC source, std::vector<uint8_t>& info, std::vector<uint8_t>& bits)
{
    const Gdi::DC* dc = Gdi::FindDC(source);
    const Gdi::Bitmap* bitmap = dc && dc->memory ? Gdi::SurfaceOf(*const_cast<Gdi::DC*>(dc)) : nullptr;
    if (!bitmap)
        return false;
    info.assign(sizeof(BITMAPINFO) + 255 * sizeof(RGBQUAD), 0);
    auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
    header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header->bmiHeader.biWidth = bitmap->width;
    header->bmiHeader.biHeight = bitmap->height;
    header->bmiHeader.biPlanes = 1;
    header->bmiHeader.biBitCount = 24;
    bits.assign(static_cast<size_t>(Gdi::DibStride(bitmap->width, 24) * uint64_t(bitmap->height)), 0);
    return GetDIBits(source, dc->bitmap, 0, static_cast<UINT>(bitmap->height), bits.data(), header, DIB_RGB_COLORS) ==
           bitmap->height;
}

}  // namespace

EmfRecording* RecordingOf(HDC dc)
{
    Gdi::DC* object = Gdi::FindDC(dc);
    return object ? object->recording.get() : nullptr;
}

bool RefusedOnMetafile(HDC dc)
{
    return RecordingOf(dc) ? Refuse(true) : false;
}

int RecordStretchDIBits(EmfRecording& recording, int x, int y, int width, int height, int sourceX, int sourceY,
                        int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                        DWORD rop)
{
    RecordDib dib;
    uint64_t bitsBytes = 0;
    if (rop != SRCCOPY || usage != DIB_RGB_COLORS || DescribeCallerDib(info, bits, dib, bitsBytes) != DibCheck::Ok)
        return Refuse(kNotRecorded);
    BlitFields f;
    f.xDest = x, f.yDest = y, f.cxDest = width, f.cyDest = height;
    f.xSrc = sourceX, f.ySrc = sourceY, f.cxSrc = sourceWidth, f.cySrc = sourceHeight;
    if (!AppendBitmapRecord(recording, EMR_STRETCHDIBITS, f, dib, bitsBytes))
        return Refuse(kNotRecorded);
    return sourceHeight;
}

int RecordSetDIBitsToDevice(EmfRecording& recording, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                            UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    RecordDib dib;
    uint64_t bitsBytes = 0;
    if (usage != DIB_RGB_COLORS || DescribeCallerDib(info, bits, dib, bitsBytes) != DibCheck::Ok || startScan != 0 ||
        lines != static_cast<UINT>(dib.rows))
        return Refuse(kNotRecorded);  // bands of a DIB are not recorded
    BlitFields f;
    f.xDest = x, f.yDest = y, f.xSrc = sourceX, f.ySrc = sourceY;
    f.cxSrc = static_cast<LONG>(width), f.cySrc = static_cast<LONG>(height);
    if (!AppendBitmapRecord(recording, EMR_SETDIBITSTODEVICE, f, dib, bitsBytes))
        return Refuse(kNotRecorded);
    return static_cast<int>(lines);
}

BOOL RecordBlit(EmfRecording& recording, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop, bool stretch)
{
    std::vector<uint8_t> info, bits;
    RecordDib dib;
    uint64_t bitsBytes = 0;
    const Gdi::DC* from = Gdi::FindDC(source);
    if (rop != SRCCOPY || !from || !SourceAsDib(source, info, bits) ||
        DescribeCallerDib(reinterpret_cast<const BITMAPINFO*>(info.data()), bits.data(), dib, bitsBytes) !=
            DibCheck::Ok)
        return Refuse(FALSE);
    BlitFields f;
    f.xDest = x, f.yDest = y, f.cxDest = width, f.cyDest = height;
    f.xSrc = sourceX - from->windowOrg.x, f.ySrc = sourceY - from->windowOrg.y;
    f.cxSrc = sourceWidth, f.cySrc = sourceHeight;
    f.bkColor = from->background;
    if (!AppendBitmapRecord(recording, stretch ? EMR_STRETCHBLT : EMR_BITBLT, f, dib, bitsBytes))
        return Refuse(FALSE);
    return TRUE;
}

BOOL RecordDword(EmfRecording& recording, uint32_t type, uint32_t value)
{
    return AppendValues(recording, type, {value}) ? TRUE : Refuse(FALSE);
}

}  // namespace Meta
}  // namespace ZAV
