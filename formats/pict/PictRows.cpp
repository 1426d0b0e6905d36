#include "formats/pict/PictRows.h"

#include "formats/FormatLimits.h"
#include "formats/codec/FileBytes.h"
#include "foundation/text/TextException.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr uint16_t kRowBytesFlag = 0x8000;
// Rows shorter than this are stored without PackBits.
constexpr int kMinPackedRow = 8;
// Rows longer than this give their packed length in two bytes.
constexpr int kMaxOneByteCount = 250;
constexpr int kMaxPackBitsRun = 128;

[[noreturn]] void InvalidSize()
{
    ThrowTextException("Invalid imagedata size!");
}

bool IsIndexSize(int bits)
{
    return bits == 1 || bits == 2 || bits == 4 || bits == 8;
}

// Bytes a row needs to hold `width` pixels.
int64_t NeededRowBytes(const PictRowLayout& l)
{
    if (l.pixelSize == 32)
        return int64_t(l.width) * l.componentCount;
    if (l.pixelSize == 16)
        return int64_t(l.width) * 2;
    return (int64_t(l.width) * l.pixelSize + 7) / 8;
}

// One row's PackBits data into `row`; units are 2 bytes for 16-bit pixels.
void UnpackRow(const uint8_t* in, size_t inSize, int unit, std::vector<uint8_t>& row)
{
    size_t i = 0;
    size_t out = 0;
    while (i < inSize) {
        const uint8_t c = in[i++];
        if (c == kMaxPackBitsRun)
            continue;
        const size_t units = c < kMaxPackBitsRun ? size_t(c) + 1 : 257 - size_t(c);
        const size_t bytes = units * unit;
        const size_t source = c < kMaxPackBitsRun ? bytes : size_t(unit);
        if (source > inSize - i || bytes > row.size() - out)
            InvalidSize();
        for (size_t k = 0; k < bytes; ++k)
            row[out + k] = in[i + (c < kMaxPackBitsRun ? k : k % unit)];
        out += bytes;
        i += source;
    }
}

// The bytes PackBits data unpacks to, or -1 when a code runs past the data.
int64_t UnpackedLength(const uint8_t* in, size_t inSize, int unit)
{
    int64_t length = 0;
    size_t i = 0;
    while (i < inSize) {
        const uint8_t c = in[i++];
        if (c == kMaxPackBitsRun)
            continue;
        const size_t units = c < kMaxPackBitsRun ? size_t(c) + 1 : 257 - size_t(c);
        const size_t source = c < kMaxPackBitsRun ? units * unit : size_t(unit);
        if (source > inSize - i)
            return -1;
        length += static_cast<int64_t>(units * unit);
        i += source;
    }
    return length;
}

// Whether the row at the cursor, behind a byte count of that width, unpacks
// to exactly its length.
bool FirstRowFits(const CFileBytes& bytes, const PictRowLayout& l, int countBytes)
{
    const uint8_t* at = bytes.Data() + bytes.Position();
    const size_t left = bytes.Remaining();
    if (left < static_cast<size_t>(countBytes))
        return false;
    const size_t count = countBytes == 2 ? (size_t(at[0]) << 8 | at[1]) : at[0];
    if (count > left - countBytes)
        return false;
    return UnpackedLength(at + countBytes, count, l.pixelSize == 16 ? 2 : 1) == l.rowLength;
}

// The width of each packed row's byte count: two bytes when the row bytes
// pass 250 (Inside Macintosh: Imaging With QuickDraw, "PackBitsRect"). Direct
// pixels pack fewer bytes than their row bytes, and some writers (ImageMagick
// among them) choose the width from the packed length instead; when the
// first row does not fill its length behind the documented width but does
// behind the other, the other holds for every row.
int CountBytesOf(const CFileBytes& bytes, const PictRowLayout& l)
{
    const int documented = l.rowBytes > kMaxOneByteCount ? 2 : 1;
    if (l.rowBytes == l.rowLength || FirstRowFits(bytes, l, documented) || !FirstRowFits(bytes, l, 3 - documented))
        return documented;
    return 3 - documented;
}

void ExpandRow(const std::vector<uint8_t>& row, const PictRowLayout& l, uint8_t* out)
{
    const int w = l.width;
    if (l.pixelSize == 8) {
        std::memcpy(out, row.data(), static_cast<size_t>(w));
    } else if (IsIndexSize(l.pixelSize)) {
        const int perByte = 8 / l.pixelSize;
        const int mask = (1 << l.pixelSize) - 1;
        for (int x = 0; x < w; ++x)
            out[x] = static_cast<uint8_t>((row[x / perByte] >> (8 - l.pixelSize * (x % perByte + 1))) & mask);
    } else if (l.pixelSize == 16) {
        for (int x = 0; x < w; ++x) {
            const int v = (row[2 * x] << 8) | row[2 * x + 1];
            out[3 * x] = static_cast<uint8_t>(((v >> 10) & 31) * 8);
            out[3 * x + 1] = static_cast<uint8_t>(((v >> 5) & 31) * 8);
            out[3 * x + 2] = static_cast<uint8_t>((v & 31) * 8);
        }
    } else {
        // Planes of one component each; with four, the first is alpha.
        const size_t first = l.componentCount == 4 ? static_cast<size_t>(w) : 0;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = row[first + static_cast<size_t>(c) * w + x];
    }
}

void CheckRowsFit(const CFileBytes& bytes, const PictRowLayout& l)
{
    const int64_t runs = (int64_t(l.rowLength) + kMaxPackBitsRun - 1) / kMaxPackBitsRun;
    const int64_t perRow = l.rowBytes < kMinPackedRow ? l.rowLength : 1 + 2 * runs;
    const int64_t outBytes = int64_t(l.width) * l.height * (l.pixelSize > 8 ? 3 : 1);
    if (!IsWithinImageCeiling(outBytes))
        InvalidSize();
    if (static_cast<uint64_t>(perRow) * static_cast<uint64_t>(l.height) > bytes.Remaining())
        CFileBytes::ThrowEndOfData();
}

}  // namespace

PictRowLayout PictRowsOf(const PictPicture& p)
{
    PictRowLayout l;
    l.width = p.width;
    l.height = p.height;
    l.pixelSize = p.kind == PictBitmapKind::kBitmap ? 1 : p.pixMap.pixelSize;
    l.componentCount = p.pixMap.componentCount;
    const bool planes = l.pixelSize == 32 && (l.componentCount == 3 || l.componentCount == 4);
    if (!IsIndexSize(l.pixelSize) && l.pixelSize != 16 && !planes)
        ThrowTextException("Illegal bpp value in unpackBits");
    l.rowLength = p.kind == PictBitmapKind::kDirect ? 0 : (p.rowBytes & ~kRowBytesFlag);
    if (l.rowLength == 0)
        l.rowLength = static_cast<int>(NeededRowBytes(l));
    if (l.width < 0 || l.height < 0 || l.rowLength < NeededRowBytes(l))
        InvalidSize();
    l.rowBytes = p.rowBytes & ~kRowBytesFlag;
    if (l.rowBytes == 0)
        l.rowBytes = l.rowLength;
    return l;
}

std::vector<uint8_t> ReadPictRows(CFileBytes& bytes, const PictRowLayout& l)
{
    // An empty bitmap has no rows; the image made of it is refused later.
    if (l.width == 0 || l.height == 0)
        return {};
    CheckRowsFit(bytes, l);
    const size_t outRow = static_cast<size_t>(l.width) * (l.pixelSize > 8 ? 3 : 1);
    std::vector<uint8_t> pixels(outRow * l.height);
    std::vector<uint8_t> row(static_cast<size_t>(l.rowLength));
    const int unit = l.pixelSize == 16 ? 2 : 1;
    const int countBytes = l.rowBytes < kMinPackedRow ? 0 : CountBytesOf(bytes, l);
    for (int y = 0; y < l.height; ++y) {
        if (countBytes == 0) {
            std::memcpy(row.data(), bytes.Take(row.size()), row.size());
        } else {
            const size_t count = countBytes == 2 ? bytes.BE16() : bytes.U8();
            std::fill(row.begin(), row.end(), 0);
            UnpackRow(bytes.Take(count), count, unit, row);
        }
        ExpandRow(row, l, pixels.data() + outRow * y);
    }
    return pixels;
}

void SkipPictRows(CFileBytes& bytes, const PictRowLayout& l)
{
    for (int y = 0; y < l.height; ++y) {
        if (l.rowBytes < kMinPackedRow)
            bytes.Skip(static_cast<size_t>(l.rowLength));
        else
            bytes.Skip(l.rowBytes > kMaxOneByteCount ? bytes.BE16() : bytes.U8());
    }
}

}  // namespace ZAV
