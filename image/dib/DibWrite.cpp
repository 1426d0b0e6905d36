// Packed DIBs made from image rows.
#include "image/core/ImageLimits.h"
#include "image/dib/DibHeader.h"
#include "image/dib/DibRows.h"
#include "image/kernels/ImgKernels.h"

#include <cmath>
#include <cstring>

namespace ZAV {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr char kNoPalette[] = "No palette available!";

LONG PelsPerMetre(int dpi)
{
    const double perMetre = std::ceil(dpi / kMetresPerInch);
    return perMetre < 1 ? 1 : static_cast<LONG>(perMetre);
}

// A zeroed GPTR block with the header and room for the table and rows;
// null when it would reach the image ceiling or the heap refuses.
HGLOBAL NewDib(int width, int height, int bits, int colours, int xDpi, int yDpi)
{
    const int64_t stride = GetDibStride(width, 1, bits);
    const int64_t image = stride * height;
    const int64_t total = static_cast<int64_t>(sizeof(BITMAPINFOHEADER)) + int64_t(colours) * 4 + image;
    if (width < 1 || height < 1 || total >= kMaxImageBytes)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GPTR, static_cast<size_t>(total));
    if (!block)
        return nullptr;
    auto* h = static_cast<BITMAPINFOHEADER*>(block);
    *h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB,
                          static_cast<DWORD>(image), PelsPerMetre(xDpi), PelsPerMetre(yDpi), 0, 0};
    return block;
}

BYTE* BitsOf(HGLOBAL dib, int colours)
{
    return static_cast<BYTE*>(dib) + sizeof(BITMAPINFOHEADER) + static_cast<size_t>(colours) * 4;
}

}  // namespace

HGLOBAL CImgKernels::Image24ToDib(const BYTE* data, int width, int height, int xDpi, int yDpi)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter), nullptr;
    HGLOBAL dib = NewDib(width, height, 24, 0, xDpi, yDpi);
    if (!dib)
        return Fail(kTextOutOfMemory), nullptr;
    const int code = ImageToDib24(data, BitsOf(dib, 0), width, height, static_cast<int>(GetDibStride(width, 1, 24)));
    if (code) {
        GlobalFree(dib);
        return FailCode(code), nullptr;
    }
    return dib;
}

HGLOBAL CImgKernels::Image48ToDib(const BYTE* data, int width, int height, int xDpi, int yDpi)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter), nullptr;
    HGLOBAL dib = NewDib(width, height, 48, 0, xDpi, yDpi);
    if (!dib)
        return Fail(kTextOutOfMemory), nullptr;
    const int code = ImageToDib48(data, BitsOf(dib, 0), width, height, static_cast<int>(GetDibStride(width, 1, 48)));
    if (code) {
        GlobalFree(dib);
        return FailCode(code), nullptr;
    }
    return dib;
}

HGLOBAL CImgKernels::Image8ToDib(const BYTE* data, int width, int height, int colourCount, int targetBits,
                                 const uint32_t* palette, int xDpi, int yDpi)
{
    ClearErrorText();
    if (!data || colourCount < 0 || colourCount > 256 || !(targetBits == 1 || targetBits == 4 || targetBits == 8))
        return Fail(kTextInvalidParameter), nullptr;
    if (!palette)
        return Fail(kNoPalette), nullptr;
    HGLOBAL dib = NewDib(width, height, targetBits, colourCount, xDpi, yDpi);
    if (!dib)
        return Fail(kTextOutOfMemory), nullptr;
    auto* h = static_cast<BITMAPINFOHEADER*>(dib);
    h->biClrUsed = h->biClrImportant = static_cast<DWORD>(colourCount);
    std::memcpy(static_cast<BYTE*>(dib) + sizeof(BITMAPINFOHEADER), palette, static_cast<size_t>(colourCount) * 4);
    const int64_t stride = GetDibStride(width, 1, targetBits);
    BYTE* bits = BitsOf(dib, colourCount);
    for (int y = 0; y < height; ++y) {
        BYTE* row = bits + (height - 1 - y) * stride;
        if (!PackIndices(data + static_cast<int64_t>(y) * width, width, 1, row, targetBits)) {
            GlobalFree(dib);
            return nullptr;
        }
    }
    return dib;
}

HGLOBAL CImgKernels::Image1ToDib(const BYTE* data, int width, int height, int rowBytes, const uint32_t* palette,
                                 int xDpi, int yDpi)
{
    ClearErrorText();
    if (!data || rowBytes < (width + 7) / 8)
        return Fail(kTextInvalidParameter), nullptr;
    if (!palette)
        return Fail(kNoPalette), nullptr;
    HGLOBAL dib = NewDib(width, height, 1, 2, xDpi, yDpi);
    if (!dib)
        return Fail(kTextOutOfMemory), nullptr;
    std::memcpy(static_cast<BYTE*>(dib) + sizeof(BITMAPINFOHEADER), palette, 2 * 4);
    const int64_t stride = GetDibStride(width, 1, 1);
    BYTE* bits = BitsOf(dib, 2);
    const size_t copied = static_cast<size_t>((width + 7) / 8);
    for (int y = 0; y < height; ++y)
        std::memcpy(bits + (height - 1 - y) * stride, data + static_cast<int64_t>(y) * rowBytes, copied);
    return dib;
}

}  // namespace ZAV
