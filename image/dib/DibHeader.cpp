#include "image/dib/DibHeader.h"

#include "image/core/ImageLimits.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr DWORD kCoreHeaderSize = sizeof(BITMAPCOREHEADER);
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr size_t kMaskBytes = 12;
constexpr int kMaxIndexedBits = 8;
// The farthest run-length codes can move: a delta (4 bytes) goes up to 255
// rows, a run (2 bytes) up to 255 columns. Rows and columns beyond what the
// coded bytes can reach would be allocated for nothing.
constexpr int64_t kRleRowsPerCodedByte = 64;
constexpr int64_t kRleColumnsPerCodedByte = 128;
constexpr int64_t kRleLongestStep = 255;

uint32_t Little32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Little16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The header as stored, without filling anything in.
bool RawHeader(const uint8_t* bytes, size_t size, BITMAPINFOHEADER& h, bool& core)
{
    if (!bytes || size < 4)
        return false;
    const uint32_t headerSize = Little32(bytes);
    core = headerSize == kCoreHeaderSize;
    if (core && size >= kCoreHeaderSize) {
        h = BITMAPINFOHEADER{};
        h.biSize = kCoreHeaderSize;
        h.biWidth = Little16(bytes + 4);
        h.biHeight = Little16(bytes + 6);
        h.biPlanes = Little16(bytes + 8);
        h.biBitCount = Little16(bytes + 10);
        return true;
    }
    if (headerSize < kInfoHeaderSize || size < kInfoHeaderSize)
        return false;
    std::memcpy(&h, bytes, kInfoHeaderSize);
    return true;
}

bool ValidDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32 || bits == 48;
}

DibFault CheckFields(const BITMAPINFOHEADER& h, bool core)
{
    if (h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1)
        return DibFault::Invalid;
    if (!ValidDepth(h.biBitCount))
        return DibFault::BadDepth;
    if (core)
        return h.biBitCount == 48 ? DibFault::BadDepth : DibFault::None;
    const DWORD c = h.biCompression;
    const bool fits = c == BI_RGB || (c == BI_RLE8 && h.biBitCount == 8) || (c == BI_RLE4 && h.biBitCount == 4) ||
                      (c == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32));
    if (!fits)
        return DibFault::CompressionMismatch;
    if (h.biBitCount <= kMaxIndexedBits && h.biClrUsed > (1u << h.biBitCount))
        return DibFault::Invalid;
    return DibFault::None;
}

bool ReadMasks(const uint8_t* bytes, size_t size, DibLayout& l)
{
    // Masks follow a 40-byte header, or sit inside a larger one.
    const size_t at = kInfoHeaderSize;
    if (at + kMaskBytes > size)
        return false;
    for (int i = 0; i < 3; ++i)
        l.masks[i] = Little32(bytes + at + 4 * i);
    return l.masks[0] && l.masks[1] && l.masks[2];
}

bool Place(const uint8_t* bytes, size_t size, DibLayout& l)
{
    const BITMAPINFOHEADER& h = l.header;
    if (h.biCompression == BI_BITFIELDS && !ReadMasks(bytes, size, l))
        return false;
    l.colourOffset = h.biSize + (h.biCompression == BI_BITFIELDS && h.biSize == kInfoHeaderSize ? kMaskBytes : 0);
    l.colourCount = GetDibColorCount(h);
    l.colourEntrySize = l.core ? 3 : 4;
    const int64_t table = static_cast<int64_t>(l.colourCount) * l.colourEntrySize;
    if (l.colourCount < 0 || table > static_cast<int64_t>(size))
        return false;
    l.bitsOffset = l.colourOffset + static_cast<size_t>(table);
    if (l.bitsOffset > size)
        return false;
    l.stride = GetDibStride(h);
    if (l.stride > kMaxImageBytes / l.height)
        return false;
    const int64_t image = l.stride * l.height;
    if (image + static_cast<int64_t>(l.bitsOffset) >= kMaxImageBytes)
        return false;
    const size_t available = size - l.bitsOffset;
    if (h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4) {
        l.bitsSize = h.biSizeImage && h.biSizeImage < available ? h.biSizeImage : available;
        const int64_t coded = static_cast<int64_t>(l.bitsSize);
        return l.height <= 1 + coded * kRleRowsPerCodedByte &&
               l.width <= kRleLongestStep + coded * kRleColumnsPerCodedByte;
    }
    l.bitsSize = static_cast<size_t>(image);
    return l.bitsSize <= available;
}

}  // namespace

int64_t GetDibStride(int64_t width, int planes, int bitCount)
{
    // Header fields can ask for rows of more than 2^63 bits; such a row
    // counts as one just past the ceiling, which every caller refuses.
    const int64_t bitsPerPixel = static_cast<int64_t>(bitCount) * planes;
    if (width <= 0 || bitsPerPixel <= 0)
        return 0;  // no row at all
    if (width > kMaxImageBytes * 8 / bitsPerPixel)
        return kMaxImageBytes + 1;
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

int64_t GetDibStride(const BITMAPINFOHEADER& header)
{
    return GetDibStride(header.biWidth, header.biPlanes, header.biBitCount);
}

int GetDibColorCount(const BITMAPINFOHEADER& header)
{
    if (header.biSize != kCoreHeaderSize && header.biClrUsed)
        return static_cast<int>(header.biClrUsed);
    switch (header.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int64_t GetDibPaletteSize(const BITMAPINFOHEADER& header)
{
    if (header.biSize == kCoreHeaderSize)
        return static_cast<int64_t>(GetDibColorCount(header)) * 3;
    const int64_t masks = header.biCompression == BI_BITFIELDS ? static_cast<int64_t>(kMaskBytes) : 0;
    return static_cast<int64_t>(GetDibColorCount(header)) * 4 + masks;
}

bool ReadDibHeader(const void* block, size_t blockSize, BITMAPINFOHEADER& header)
{
    bool core = false;
    if (!RawHeader(static_cast<const uint8_t*>(block), blockSize, header, core))
        return false;
    const int64_t rows = header.biHeight < 0 ? -int64_t(header.biHeight) : header.biHeight;
    const int64_t image = GetDibStride(header) * rows;  // both below 2^32
    if (header.biSizeImage == 0 && image >= 0 && image <= static_cast<int64_t>(UINT32_MAX))
        header.biSizeImage = static_cast<DWORD>(image);
    if (header.biClrUsed == 0)
        header.biClrUsed = static_cast<DWORD>(GetDibColorCount(header));
    return true;
}

const BYTE* GetDibBits(const BYTE* dib, size_t length)
{
    BITMAPINFOHEADER header{};
    bool core = false;
    if (!RawHeader(dib, length, header, core))
        return nullptr;
    const bool info = header.biSize == kInfoHeaderSize;
    const int64_t entries = header.biBitCount <= kMaxIndexedBits ? int64_t(1) << header.biBitCount : 0;
    const int64_t colours = info && header.biClrUsed ? header.biClrUsed : entries;
    const int64_t headerSize = info ? kInfoHeaderSize : kCoreHeaderSize;
    const int64_t offset = headerSize + colours * (info ? 4 : 3);
    const int64_t rows = header.biHeight < 0 ? -int64_t(header.biHeight) : header.biHeight;
    if (header.biWidth < 1 || rows == 0 || !ValidDepth(header.biBitCount) ||
        (header.biBitCount <= kMaxIndexedBits && colours > (int64_t(1) << kMaxIndexedBits)))
        return nullptr;
    const int64_t stride = GetDibStride(header.biWidth, 1, header.biBitCount);
    if (stride > static_cast<int64_t>(length) / rows)
        return nullptr;
    const int64_t image = stride * rows;
    if (offset > static_cast<int64_t>(length) || image > static_cast<int64_t>(length) - offset)
        return nullptr;
    return dib + offset;
}

DibFault CheckDib(const void* block, size_t blockSize, DibLayout& layout)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    layout = DibLayout{};
    if (!RawHeader(bytes, blockSize, layout.header, layout.core))
        return DibFault::Invalid;
    const DibFault fault = CheckFields(layout.header, layout.core);
    if (fault != DibFault::None)
        return fault;
    layout.width = layout.header.biWidth;
    layout.height = layout.header.biHeight < 0 ? -layout.header.biHeight : layout.header.biHeight;
    layout.bottomUp = layout.header.biHeight > 0;
    return Place(bytes, blockSize, layout) ? DibFault::None : DibFault::Invalid;
}

void ClampedDibPalette(const void* block, const DibLayout& layout, uint32_t palette[256])
{
    const uint8_t* table = static_cast<const uint8_t*>(block) + layout.colourOffset;
    const int count = layout.colourCount < 256 ? layout.colourCount : 256;
    for (int i = 0; i < 256; ++i) {
        if (count == 0) {
            palette[i] = 0;
            continue;
        }
        const uint8_t* entry = table + static_cast<size_t>(i < count ? i : count - 1) * layout.colourEntrySize;
        palette[i] = static_cast<uint32_t>(entry[0]) | (static_cast<uint32_t>(entry[1]) << 8) |
                     (static_cast<uint32_t>(entry[2]) << 16) | 0xFF000000u;
    }
}

}  // namespace ZAV
