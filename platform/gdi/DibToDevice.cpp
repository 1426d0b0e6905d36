// SetDIBitsToDevice: rows of a DIB copied one to one onto a DC, the DIB
// given as a band of lines starting at startScan.
#include "platform/gdi/Blits.h"

#include "platform/gdi/DibPixels.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The largest header a DIB has (BITMAPV5HEADER), and room behind it for the
// bit-field masks and the 256 colours a DIB can use: all StretchDIBits
// reads in front of the bits.
constexpr size_t kLargestInfoHeader = 124;
constexpr size_t kMostBandInfoBytes = kLargestInfoHeader + 3 * sizeof(DWORD) + 256 * sizeof(RGBQUAD);

}  // namespace

int SetDIBitsToDevice(HDC dest, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    if (ZAV::Meta::EmfRecording* recording = ZAV::Meta::RecordingOf(dest))
        return ZAV::Meta::RecordSetDIBitsToDevice(*recording, x, y, width, height, sourceX, sourceY, startScan, lines,
                                                  bits, info, usage);
    if (!info || !bits || lines == 0 || lines > 0x7FFFFFFF || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return 0;
    // The band is a DIB of its own: the caller's header, masks and colour
    // table, as many rows as lines, the source rows counted from the band's
    // first row.
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize > kLargestInfoHeader)
        return 0;
    std::vector<uint8_t> band(kMostBandInfoBytes, 0);
    std::memcpy(band.data(), info, std::min(ZAV::Gdi::DibInfoSize(h), band.size()));
    auto* bandInfo = reinterpret_cast<BITMAPINFO*>(band.data());
    bandInfo->bmiHeader.biHeight = h.biHeight < 0 ? -static_cast<LONG>(lines) : static_cast<LONG>(lines);
    const int bandY = h.biHeight < 0 ? sourceY : sourceY - static_cast<int>(startScan);
    return StretchDIBits(dest, x, y, static_cast<int>(width), static_cast<int>(height), sourceX, bandY,
                         static_cast<int>(width), static_cast<int>(height), bits, bandInfo, usage, SRCCOPY) != 0
               ? static_cast<int>(lines)
               : 0;
}
