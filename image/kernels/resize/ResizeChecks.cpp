#include "image/kernels/resize/ResizeChecks.h"

#include "image/kernels/shared/PixelBlocks.h"

#include <algorithm>

namespace ZAV {

bool CheckResizeArguments(CImgKernels& context, const void* source, int sourceWidth, int sourceHeight,
                          int bytesPerPixel, const void* target, int targetWidth, int targetHeight)
{
    if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || bytesPerPixel <= 0 || targetWidth <= 0 ||
        targetHeight <= 0) {
        context.Fail(kTextInvalidParameter);
        return false;
    }
    if (BlockBytes(targetWidth, targetHeight, bytesPerPixel) < 0 ||
        BlockBytes(sourceWidth, sourceHeight, bytesPerPixel) < 0) {
        context.Fail(kTextOutOfMemory);
        return false;
    }
    return true;
}

double SourcePosition(int index, int sourceSize, int targetSize)
{
    const double position = static_cast<double>(index) * sourceSize / targetSize;
    return std::min(std::max(position, 0.0), static_cast<double>(sourceSize - 1));
}

bool FillSourcePositions(CImgKernels& context, CDoubleBuffer& positions, int sourceSize, int targetSize)
{
    if (!positions.IsValid() || positions.GetCount() < targetSize) {
        context.Fail(kTextOutOfMemory);
        return false;
    }
    for (int i = 0; i < targetSize; ++i)
        positions[i] = SourcePosition(i, sourceSize, targetSize);
    return true;
}

}  // namespace ZAV
