// Image rows from packed DIBs. Every DIB is checked against its block
// before any of its bytes is read.
#include "image/core/ImageLimits.h"
#include "image/core/ZAVImgBase.h"
#include "image/dib/DibHeader.h"
#include "image/dib/DibRows.h"
#include "image/kernels/ImgKernels.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr char kInvalidBitdepth[] = "Invalid Bitdepth!";
constexpr int kMaxIndexedBits = 8;

// The block's bytes and size, with a lock held while the holder lives.
class LockedDib {
public:
    explicit LockedDib(HGLOBAL dib) : m_dib(dib), m_bytes(dib ? static_cast<const BYTE*>(GlobalLock(dib)) : nullptr) {}
    ~LockedDib()
    {
        if (m_bytes)
            GlobalUnlock(m_dib);
    }
    LockedDib(const LockedDib&) = delete;
    LockedDib& operator=(const LockedDib&) = delete;
    const BYTE* Bytes() const { return m_bytes; }
    size_t Size() const { return GlobalSize(m_dib); }

private:
    HGLOBAL m_dib;
    const BYTE* m_bytes;
};

HGLOBAL NewImageBlock(int64_t width, int64_t height, int bytesPerPixel)
{
    const int64_t size = width * height * bytesPerPixel;
    return IsWithinImageCeiling(size) ? GlobalAlloc(GPTR, static_cast<size_t>(size)) : nullptr;
}

bool IsRle(const DibLayout& layout)
{
    return layout.header.biCompression == BI_RLE8 || layout.header.biCompression == BI_RLE4;
}

const BYTE* StoredRow(const BYTE* bits, const DibLayout& layout, int imageRow)
{
    const int stored = layout.bottomUp ? layout.height - 1 - imageRow : imageRow;
    return bits + stored * layout.stride;
}

}  // namespace

HGLOBAL CImgKernels::DibToImage24(HGLOBAL dib, int& width, int& height)
{
    ClearErrorText();
    LockedDib locked(dib);
    if (!locked.Bytes())
        return Fail(kTextInvalidParameter), nullptr;
    DibLayout layout;
    const DibFault fault = CheckDib(locked.Bytes(), locked.Size(), layout);
    if (fault != DibFault::None) {
        if (fault == DibFault::CompressionMismatch)
            SetErrorCode(zavkeCompressionMismatch);
        return Fail(fault == DibFault::Invalid ? kTextInvalidParameter : kInvalidBitdepth), nullptr;
    }
    uint32_t palette[256];
    ClampedDibPalette(locked.Bytes(), layout, palette);
    const BYTE* bits = locked.Bytes() + layout.bitsOffset;
    if (IsRle(layout)) {
        HGLOBAL image = DecodeRleDib(bits, layout.bitsSize, 24, layout.header, layout.colourCount, palette);
        if (image) {
            width = layout.width;
            height = layout.height;
        }
        return image;
    }
    const int bytesPerPixel = layout.header.biBitCount == 48 ? 6 : 3;
    HGLOBAL image = NewImageBlock(layout.width, layout.height, bytesPerPixel);
    if (!image)
        return Fail(kTextOutOfMemory), nullptr;
    const uint32_t* masks = layout.header.biCompression == BI_BITFIELDS ? layout.masks : nullptr;
    const int64_t rowBytes = static_cast<int64_t>(layout.width) * bytesPerPixel;
    for (int y = 0; y < layout.height; ++y)
        DibRowToImage(StoredRow(bits, layout, y), static_cast<BYTE*>(image) + y * rowBytes, layout.width,
                      layout.header.biBitCount, palette, masks);
    width = layout.width;
    height = layout.height;
    return image;
}

HGLOBAL CImgKernels::DibToImage8(HGLOBAL dib, int targetBits, int& width, int& height, int& colourCount,
                                 uint32_t* palette)
{
    ClearErrorText();
    LockedDib locked(dib);
    if (!locked.Bytes() || !palette || !(targetBits == 1 || targetBits == 8))
        return Fail(kTextInvalidParameter), nullptr;
    DibLayout layout;
    const DibFault fault = CheckDib(locked.Bytes(), locked.Size(), layout);
    if (fault == DibFault::Invalid)
        return Fail(kTextInvalidParameter), nullptr;
    if (fault != DibFault::None || layout.header.biBitCount > kMaxIndexedBits ||
        layout.header.biCompression == BI_BITFIELDS)
        return Fail(kInvalidBitdepth), nullptr;
    if (targetBits < layout.header.biBitCount)
        return FailCode(zavkeUnsupportedConversion), nullptr;
    ClampedDibPalette(locked.Bytes(), layout, palette);
    colourCount = layout.colourCount < 256 ? layout.colourCount : 256;
    const BYTE* bits = locked.Bytes() + layout.bitsOffset;
    HGLOBAL image = nullptr;
    if (IsRle(layout)) {
        image = DecodeRleDib(bits, layout.bitsSize, 8, layout.header, colourCount, palette);
    } else if (targetBits == 1) {
        const int64_t rowBytes = CZAVImgBase::CalcBytesPerLine(layout.width, 0, 1);
        image = NewImageBlock(rowBytes, layout.height, 1);
        for (int y = 0; image && y < layout.height; ++y)
            std::memcpy(static_cast<BYTE*>(image) + y * rowBytes, StoredRow(bits, layout, y),
                        static_cast<size_t>(rowBytes));
    } else {
        image = NewImageBlock(layout.width, layout.height, 1);
        for (int y = 0; image && y < layout.height; ++y) {
            BYTE* row = static_cast<BYTE*>(image) + static_cast<int64_t>(y) * layout.width;
            UnpackIndices(StoredRow(bits, layout, y), row, layout.width, layout.header.biBitCount);
            for (int x = 0; x < layout.width; ++x)
                if (colourCount > 0 && row[x] >= colourCount)
                    row[x] = static_cast<BYTE>(colourCount - 1);
        }
    }
    if (!image)
        return GetErrorCode() ? nullptr : (Fail(kTextOutOfMemory), nullptr);
    width = layout.width;
    height = layout.height;
    return image;
}

}  // namespace ZAV
