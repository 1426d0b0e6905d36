#include "formats/bmp/BmpLayout.h"

#include "formats/codec/PicDecoder.h"
#include "image/dib/DibHeader.h"

namespace ZAV {

namespace {

constexpr uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kSignatureAt = 0;
constexpr size_t kBitsOffsetAt = 10;
constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kInfoHeaderV3 = 40;
constexpr uint32_t kInfoHeaderV4 = 108;
constexpr uint32_t kInfoHeaderV5 = 124;
constexpr int kMaxIndexedBits = 8;

constexpr int kCodeNotBitmap = 1;
constexpr int kCodeHeader = 2;
constexpr int kCodeTruncated = 3;
constexpr int kCodeOffset = 4;
constexpr int kCodeSize = 5;

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

const char* SubTypeOf(uint32_t headerSize)
{
    switch (headerSize) {
    case kInfoHeaderV3:
        return "v3";
    case kInfoHeaderV4:
        return "v4";
    case kInfoHeaderV5:
        return "v5";
    default:
        return nullptr;
    }
}

void ReadInfoHeader(const std::vector<uint8_t>& file, BmpLayout& layout)
{
    if (file.size() < kFileHeaderBytes + 4)
        CPicDecoder::ThrowError(kCodeTruncated, "Bitmap decoder: The file is cut short.");
    layout.headerSize = Little32(file, kFileHeaderBytes);
    if (layout.headerSize != kCoreHeader && !SubTypeOf(layout.headerSize))
        CPicDecoder::ThrowError(kCodeHeader, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
    if (file.size() - kFileHeaderBytes < layout.headerSize ||
        !ReadDibHeader(file.data() + kFileHeaderBytes, file.size() - kFileHeaderBytes, layout.header))
        CPicDecoder::ThrowError(kCodeTruncated, "Bitmap decoder: The file is cut short.");
    layout.subType = SubTypeOf(layout.headerSize);
    const BITMAPINFOHEADER& h = layout.header;
    if (h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        CPicDecoder::ThrowError(kCodeSize, "Bitmap decoder: Invalid image size.");
    layout.width = h.biWidth;
    layout.topDown = h.biHeight < 0;
    layout.rows = layout.topDown ? -h.biHeight : h.biHeight;
}

// The table of a picture of at most 8 bits: biClrUsed entries, or 2^bits
// when that is 0 (ReadDibHeader has filled it in). It must lie in the file;
// entries past what the palette holds are skipped later.
void PlaceColourTable(const std::vector<uint8_t>& file, BmpLayout& layout)
{
    layout.tableOffset = kFileHeaderBytes + layout.headerSize;
    layout.tableEntrySize = layout.headerSize == kCoreHeader ? 3 : 4;
    if (layout.header.biBitCount > kMaxIndexedBits)
        return;
    layout.tableEntries = layout.header.biClrUsed;
    const int64_t tableBytes = layout.tableEntries * layout.tableEntrySize;
    if (tableBytes > static_cast<int64_t>(file.size() - layout.tableOffset))
        CPicDecoder::ThrowError(kCodeTruncated, "Bitmap decoder: The file is cut short.");
}

}  // namespace

BmpLayout ReadBmpLayout(const std::vector<uint8_t>& file)
{
    if (file.size() < kFileHeaderBytes || (file[kSignatureAt] | (file[kSignatureAt + 1] << 8)) != kBmpSignature)
        CPicDecoder::ThrowError(kCodeNotBitmap, "Bitmap decoder: This isn't a bitmap.");
    BmpLayout layout;
    ReadInfoHeader(file, layout);
    PlaceColourTable(file, layout);
    // Pixel data starts where the file header says: bit-field masks, v5
    // profiles and gaps may lie between the colour table and the pixels.
    const uint32_t bitsOffset = Little32(file, kBitsOffsetAt);
    if (bitsOffset < kFileHeaderBytes + layout.headerSize || bitsOffset > file.size())
        CPicDecoder::ThrowError(kCodeOffset, "Bitmap decoder: The pixel data offset lies outside the file.");
    layout.bitsOffset = bitsOffset;
    return layout;
}

int BmpImageDepth(int bitCount)
{
    switch (bitCount) {
    case 1:
        return 1;
    case 4:
    case 8:
        return 8;
    case 24:
    case 32:
        return 24;
    default:
        CPicDecoder::ThrowError(kCodeHeader, "Decoding bmp: Illegal bpp value.");
    }
}

bool IsRunLengthCoded(const BmpLayout& layout)
{
    const int bits = layout.header.biBitCount;
    return (bits == 4 || bits == 8) && layout.header.biCompression != BI_RGB;
}

}  // namespace ZAV
