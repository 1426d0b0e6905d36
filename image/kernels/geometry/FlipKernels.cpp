// Mirroring in place: top to bottom, left to right, and left to right for
// 1-bit rows.
#include "image/core/GlobalMemBlock.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <cstring>

namespace ZAV {

namespace {

// A temporary of the given size, null when it is 0 or less or refused.
HGLOBAL AllocTemporary(int64_t bytes)
{
    return bytes > 0 ? AllocPixelBlock(bytes) : nullptr;
}

}  // namespace

int CImgKernels::FlipVertical(BYTE* data, int rowBytes, int rows)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    CGlobalHandle temporary;
    temporary.Attach(AllocTemporary(rowBytes));
    if (!temporary.GetHandle())
        return Fail(kTextOutOfMemory);
    BYTE* spare = static_cast<BYTE*>(temporary.GetHandle());
    const size_t stride = SpanBytes(rowBytes, 1);
    // An odd middle row is swapped with itself.
    return ForEachRow(*this, (rows + 1) / 2, [&](int i) {
        BYTE* top = data + i * stride;
        BYTE* bottom = data + (rows - 1 - i) * stride;
        std::memcpy(spare, top, stride);
        std::memmove(top, bottom, stride);
        std::memcpy(bottom, spare, stride);
    });
}

int CImgKernels::FlipHorizontal(BYTE* data, int width, int height, int bytesPerPixel)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    const int64_t rowBytes = BlockBytes(width, 1, bytesPerPixel);
    CGlobalHandle temporary;
    temporary.Attach(AllocTemporary(rowBytes));
    if (!temporary.GetHandle())
        return Fail(kTextOutOfMemory);
    const BYTE* spare = static_cast<const BYTE*>(temporary.GetHandle());
    const size_t pixelBytes = static_cast<size_t>(bytesPerPixel);
    return ForEachRow(*this, height, [&](int y) {
        BYTE* row = data + y * static_cast<size_t>(rowBytes);
        std::memcpy(temporary.GetHandle(), row, static_cast<size_t>(rowBytes));
        for (int x = 0; x < width; ++x)
            std::memcpy(row + x * pixelBytes, spare + (width - 1 - x) * pixelBytes, pixelBytes);
    });
}

// The temporary starts cleared and only bits inside the width are ever
// set, so the bits beyond the width come out 0.
int CImgKernels::FlipHorizontal1(BYTE* data, int width, int rows)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    const size_t rowBytes = BitRowBytes(width);
    CGlobalHandle temporary;
    temporary.Attach(AllocTemporary(static_cast<int64_t>(rowBytes)));
    if (!temporary.GetHandle())
        return Fail(kTextOutOfMemory);
    BYTE* mirrored = static_cast<BYTE*>(temporary.GetHandle());
    return ForEachRow(*this, rows, [&](int y) {
        BYTE* row = data + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            const int from = width - 1 - x;
            const BYTE mask = static_cast<BYTE>(0x80 >> (x % 8));
            if (row[from / 8] & (0x80 >> (from % 8)))
                mirrored[x / 8] |= mask;
            else
                mirrored[x / 8] &= static_cast<BYTE>(~mask);
        }
        std::memcpy(row, mirrored, rowBytes);
    });
}

}  // namespace ZAV
