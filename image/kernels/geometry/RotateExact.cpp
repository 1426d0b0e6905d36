// Rotation by right angles in place, through a temporary copy that replaces
// the pixels only when every row was moved.
#include "image/core/GlobalMemBlock.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <cstring>

namespace ZAV {

namespace {

enum ExactTurn { kTurnClockwise = 0, kTurnHalf = 1, kTurnCounterClockwise = 2 };

// Where source pixel (x, y) lands, in pixels from the start of the result.
int64_t TurnedIndex(int turn, int64_t x, int64_t y, int64_t width, int64_t height)
{
    switch (turn) {
    case kTurnClockwise: return x * height + (height - 1 - y);
    case kTurnHalf: return (height - 1 - y) * width + (width - 1 - x);
    default: return (width - 1 - x) * height + y;
    }
}

// Moves every pixel into a temporary, then the temporary over the pixels;
// a cancel leaves the pixels as they were.
int RotateByTurn(CImgKernels& context, BYTE* data, int width, int height, int bytesPerPixel, int turn)
{
    context.ClearErrorText();
    if (!data)
        return context.Fail(kTextInvalidParameter);
    const int64_t bytes = BlockBytes(width, height, bytesPerPixel);
    CGlobalHandle temporary;
    if (bytes > 0)
        temporary.Attach(AllocPixelBlock(bytes));
    if (!temporary.GetHandle())
        return context.Fail(kTextOutOfMemory);

    BYTE* turned = static_cast<BYTE*>(temporary.GetHandle());
    const size_t pixelBytes = static_cast<size_t>(bytesPerPixel);
    const BYTE* pixel = data;
    const int moved = ForEachRow(context, height, [&](int y) {
        for (int x = 0; x < width; ++x, pixel += pixelBytes)
            std::memcpy(turned + TurnedIndex(turn, x, y, width, height) * bytesPerPixel, pixel, pixelBytes);
    });
    if (moved)
        std::memcpy(data, turned, static_cast<size_t>(bytes));
    return moved;
}

}  // namespace

int CImgKernels::RotateExact(BYTE* data, int width, int height, int turn, int bytesPerPixel)
{
    ClearErrorText();
    switch (turn) {
    case kTurnClockwise: return Rotate90(data, width, height, bytesPerPixel);
    case kTurnHalf: return Rotate180(data, width, height, bytesPerPixel);
    case kTurnCounterClockwise: return Rotate270(data, width, height, bytesPerPixel);
    default: return Fail(kTextInvalidParameter);
    }
}

int CImgKernels::Rotate90(BYTE* data, int width, int height, int bytesPerPixel)
{
    return RotateByTurn(*this, data, width, height, bytesPerPixel, kTurnClockwise);
}

int CImgKernels::Rotate180(BYTE* data, int width, int height, int bytesPerPixel)
{
    return RotateByTurn(*this, data, width, height, bytesPerPixel, kTurnHalf);
}

int CImgKernels::Rotate270(BYTE* data, int width, int height, int bytesPerPixel)
{
    return RotateByTurn(*this, data, width, height, bytesPerPixel, kTurnCounterClockwise);
}

}  // namespace ZAV
