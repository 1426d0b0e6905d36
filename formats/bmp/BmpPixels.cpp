#include "formats/bmp/BmpPixels.h"

#include "formats/codec/PicDecoder.h"
#include "image/core/ImageLimits.h"
#include "image/core/ZAVImgBase.h"
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeTruncated = 3;
constexpr int kCodeDelta = 6;
constexpr int kCodeMemory = 10;
constexpr BYTE kEscapeEndOfLine = 0;
constexpr BYTE kEscapeEndOfBitmap = 1;
constexpr BYTE kEscapeDelta = 2;
constexpr int kMaxIndexedBits = 8;

// Delta escapes are refused. The codes are walked row by row as they are
// decoded, so codes after the last row or the end of the bitmap are not
// looked at.
bool ReachesDelta(const BYTE* codes, size_t length, bool rle4, int rows)
{
    size_t at = 0;
    int row = 0;
    while (row < rows && at + 2 <= length) {
        const BYTE count = codes[at];
        const BYTE escape = codes[at + 1];
        at += 2;
        if (count != 0)
            continue;
        if (escape == kEscapeEndOfLine)
            ++row;
        else if (escape == kEscapeEndOfBitmap)
            return false;
        else if (escape == kEscapeDelta)
            return true;
        else {
            const size_t bytes = rle4 ? (escape + 1u) / 2 : escape;
            at += bytes + bytes % 2;  // absolute runs keep 16-bit alignment
        }
    }
    return false;
}

// The bytes of pixel data the decoding reads from the offset on.
size_t PixelBytes(const std::vector<uint8_t>& file, const BmpLayout& layout)
{
    const size_t available = file.size() - layout.bitsOffset;
    if (IsRunLengthCoded(layout)) {
        if (ReachesDelta(file.data() + layout.bitsOffset, available, layout.header.biBitCount == 4, layout.rows))
            CPicDecoder::ThrowError(kCodeDelta, "Encountered delta escape.");
        return available;
    }
    const int64_t stride = GetDibStride(layout.width, 1, layout.header.biBitCount);
    if (stride > kMaxImageBytes / layout.rows || stride * layout.rows > static_cast<int64_t>(available))
        CPicDecoder::ThrowError(kCodeTruncated, "Bitmap decoder: The file is cut short.");
    return static_cast<size_t>(stride * layout.rows);
}

BITMAPINFOHEADER PlainHeader(const BmpLayout& layout, int entries, size_t pixelBytes)
{
    BITMAPINFOHEADER h = layout.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biPlanes = 1;
    // Only 4- and 8-bit pictures are run-length coded; any other
    // compression value is ignored and the rows read as they stand.
    h.biCompression = !IsRunLengthCoded(layout) ? BI_RGB : h.biBitCount == 4 ? BI_RLE4 : BI_RLE8;
    h.biSizeImage = static_cast<DWORD>(pixelBytes);
    h.biClrUsed = static_cast<DWORD>(entries);
    h.biClrImportant = 0;
    return h;
}

// A table larger than the bit count can index is cut to 2^bits entries.
int PlainEntries(const BmpLayout& layout)
{
    if (layout.header.biBitCount > kMaxIndexedBits)
        return 0;
    return static_cast<int>(std::min<int64_t>(layout.tableEntries, int64_t(1) << layout.header.biBitCount));
}

HGLOBAL GatherPlainDib(const std::vector<uint8_t>& file, const BmpLayout& layout)
{
    const size_t pixelBytes = PixelBytes(file, layout);
    const int entries = PlainEntries(layout);
    const BITMAPINFOHEADER header = PlainHeader(layout, entries, pixelBytes);
    const size_t tableBytes = static_cast<size_t>(entries) * 4;
    const int64_t total = static_cast<int64_t>(sizeof header + tableBytes + pixelBytes);
    BYTE* dib =
        IsWithinImageCeiling(total) ? static_cast<BYTE*>(GlobalAlloc(GPTR, static_cast<size_t>(total))) : nullptr;
    if (!dib)
        CPicDecoder::ThrowError(kCodeMemory, "Out of memory!");
    std::memcpy(dib, &header, sizeof header);
    BYTE* table = dib + sizeof header;
    for (int i = 0; i < entries; ++i)  // blue, green, red (and reserved)
        std::memcpy(table + 4 * i, file.data() + layout.tableOffset + static_cast<size_t>(i) * layout.tableEntrySize,
                    3);
    std::memcpy(table + tableBytes, file.data() + layout.bitsOffset, pixelBytes);
    return dib;
}

// Run-length codes always fill rows from the bottom; a top-down picture
// turns them over.
void TurnRowsOver(BYTE* rows, int64_t rowBytes, int height)
{
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rows + top * rowBytes, rows + (top + 1) * rowBytes, rows + bottom * rowBytes);
}

}  // namespace

void DecodeBmpPixels(const std::vector<uint8_t>& file, const BmpLayout& layout, int depth, BmpPixels& out)
{
    CGlobalHandle dib;
    dib.Attach(GatherPlainDib(file, layout));
    CImgKernels kernels;
    int width = 0;
    int height = 0;
    HGLOBAL rows = depth == 24
                       ? kernels.DibToImage24(dib.GetHandle(), width, height)
                       : kernels.DibToImage8(dib.GetHandle(), depth, width, height, out.paletteCount, out.palette);
    if (!rows)
        CPicDecoder::ThrowError(kCodeMemory, kernels.GetErrorText().GetText());
    out.rows.Attach(rows);
    out.size = CZAVImgBase::CalcImageSize(width, height, depth);
    if (layout.topDown && IsRunLengthCoded(layout))
        TurnRowsOver(out.rows.GetData<BYTE>(), CZAVImgBase::CalcBytesPerLine(width, 0, depth), height);
}

}  // namespace ZAV
