#include "platform/gdi/metafile/MetaDib.h"

#include "platform/gdi/DibPixels.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <cstring>

namespace ZAV {
namespace Meta {

namespace {

constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kV4HeaderBytes = 108;
constexpr uint32_t kV5HeaderBytes = 124;
constexpr int64_t kPlayedBytesPerPixel = 3;

BITMAPINFOHEADER ReadInfoHeader(const uint8_t* p)
{
    BITMAPINFOHEADER h{};
    h.biSize = GetDword(p);
    h.biWidth = GetLong(p + 4);
    h.biHeight = GetLong(p + 8);
    h.biPlanes = GetWord(p + 12);
    h.biBitCount = GetWord(p + 14);
    h.biCompression = GetDword(p + 16);
    h.biSizeImage = GetDword(p + 20);
    h.biXPelsPerMeter = GetLong(p + 24);
    h.biYPelsPerMeter = GetLong(p + 28);
    h.biClrUsed = GetDword(p + 32);
    h.biClrImportant = GetDword(p + 36);
    return h;
}

bool PlayedDepth(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The header's kind: Ok, Unsupported (played by no one here) or Broken.
DibCheck CheckHeader(const BITMAPINFOHEADER& h, uint32_t usage, uint64_t& colours)
{
    if (h.biSize != kInfoHeaderBytes && h.biSize != kV4HeaderBytes && h.biSize != kV5HeaderBytes)
        return h.biSize == sizeof(BITMAPCOREHEADER) ? DibCheck::Unsupported : DibCheck::Broken;
    if (h.biCompression != BI_RGB || usage != DIB_RGB_COLORS || !PlayedDepth(h.biBitCount))
        return DibCheck::Unsupported;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1)
        return DibCheck::Broken;
    colours = 0;
    if (h.biBitCount <= 8) {
        const uint64_t most = uint64_t(1) << h.biBitCount;
        colours = h.biClrUsed ? h.biClrUsed : most;
        if (colours > most)
            return DibCheck::Broken;
    }
    const int64_t rows = h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight;
    return int64_t(h.biWidth) * rows <= kMaxMetafileImageBytes / kPlayedBytesPerPixel ? DibCheck::Ok : DibCheck::Broken;
}

// The normalised 40-byte header and table the player hands to StretchDIBits.
void BuildInfo(BITMAPINFOHEADER h, const uint8_t* table, uint64_t colours, RecordDib& dib)
{
    h.biSize = kInfoHeaderBytes;
    h.biClrUsed = static_cast<DWORD>(colours);
    dib.info.assign(kInfoHeaderBytes + colours * 4, 0);
    std::memcpy(dib.info.data(), &h, sizeof h);
    if (colours)
        std::memcpy(dib.info.data() + kInfoHeaderBytes, table, colours * 4);
    dib.width = h.biWidth;
    dib.bottomUp = h.biHeight > 0;
    dib.rows = dib.bottomUp ? h.biHeight : -h.biHeight;
}

bool Inside(uint64_t offset, uint64_t length, uint64_t size)
{
    return offset <= size && length <= size - offset;
}

}  // namespace

DibCheck LocateDib(const uint8_t* record, uint64_t recordSize, const DibPlace& place, uint32_t usage, RecordDib& dib)
{
    if (place.cbInfo < kInfoHeaderBytes || !Inside(place.offInfo, place.cbInfo, recordSize) ||
        !Inside(place.offBits, place.cbBits, recordSize))
        return DibCheck::Broken;
    const BITMAPINFOHEADER h = ReadInfoHeader(record + place.offInfo);
    uint64_t colours = 0;
    const DibCheck check = CheckHeader(h, usage, colours);
    if (check != DibCheck::Ok)
        return check;
    const uint64_t wholeRows = h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight;
    const uint64_t rows = place.bandRows ? place.bandRows : wholeRows;
    if (h.biSize + colours * 4 > place.cbInfo || rows > wholeRows ||
        Gdi::DibStride(h.biWidth, h.biBitCount) * rows > place.cbBits)
        return DibCheck::Broken;
    BITMAPINFOHEADER band = h;
    band.biHeight = h.biHeight < 0 ? -static_cast<LONG>(rows) : static_cast<LONG>(rows);
    BuildInfo(band, record + place.offInfo + h.biSize, colours, dib);
    dib.bits = record + place.offBits;
    return DibCheck::Ok;
}

DibCheck LocatePackedDib(const uint8_t* data, uint64_t size, uint32_t usage, uint64_t bandRows, RecordDib& dib)
{
    if (size < kInfoHeaderBytes)
        return DibCheck::Broken;
    const BITMAPINFOHEADER h = ReadInfoHeader(data);
    uint64_t colours = 0;
    const DibCheck check = CheckHeader(h, usage, colours);
    if (check != DibCheck::Ok)
        return check;
    DibPlace place;
    place.cbInfo = h.biSize + colours * 4;
    place.offBits = place.cbInfo;
    place.cbBits = size >= place.cbInfo ? size - place.cbInfo : 0;
    place.bandRows = bandRows;
    return LocateDib(data, size, place, usage, dib);
}

DibCheck DescribeCallerDib(const BITMAPINFO* info, const void* bits, RecordDib& dib, uint64_t& bitsBytes)
{
    if (!info || !bits)
        return DibCheck::Broken;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    uint64_t colours = 0;
    if (h.biSize != kInfoHeaderBytes)
        return DibCheck::Unsupported;
    const DibCheck check = CheckHeader(h, DIB_RGB_COLORS, colours);
    if (check != DibCheck::Ok)
        return check;
    BuildInfo(h, reinterpret_cast<const uint8_t*>(info->bmiColors), colours, dib);
    dib.bits = static_cast<const uint8_t*>(bits);
    bitsBytes = Gdi::DibStride(h.biWidth, h.biBitCount) * static_cast<uint64_t>(dib.rows);
    return DibCheck::Ok;
}

}  // namespace Meta
}  // namespace ZAV
