// Resizing by copying, for each target pixel, the source pixel its position
// scales back to (no half-pixel offset, truncated).
#include "image/kernels/ImgKernels.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"
#include "image/kernels/resize/ResizeChecks.h"

#include <cstring>

namespace ZAV {

int CImgKernels::ResizeNearest(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel, BYTE* target,
                               int targetWidth, int targetHeight)
{
    ClearErrorText();
    if (!CheckResizeArguments(*this, source, sourceWidth, sourceHeight, bytesPerPixel, target, targetWidth,
                              targetHeight))
        return 0;
    const double xScale = static_cast<double>(sourceWidth) / targetWidth;
    const double yScale = static_cast<double>(sourceHeight) / targetHeight;
    const size_t sourceRow = SpanBytes(sourceWidth, bytesPerPixel);
    const size_t pixelBytes = static_cast<size_t>(bytesPerPixel);
    BYTE* out = target;
    return ForEachRow(*this, targetHeight, [&](int y) {
        const BYTE* row = source + static_cast<size_t>(y * yScale) * sourceRow;
        for (int x = 0; x < targetWidth; ++x, out += pixelBytes)
            std::memcpy(out, row + static_cast<size_t>(x * xScale) * pixelBytes, pixelBytes);
    });
}

}  // namespace ZAV
