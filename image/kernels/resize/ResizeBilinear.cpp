// Bilinear resizing: each target row blends two source rows, each of them
// first interpolated across into a row of doubles. Results truncate.
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/resize/ResizeBuffers.h"
#include "image/kernels/resize/ResizeChecks.h"

#include <algorithm>

namespace ZAV {

namespace {

// Source row interpolated at the target columns' positions, channel by channel.
void InterpolateRow(const BYTE* row, int sourceWidth, int bytesPerPixel, CDoubleBuffer& positions, int targetWidth,
                    CDoubleBuffer& out)
{
    double* value = out.GetData();
    for (int x = 0; x < targetWidth; ++x) {
        const double px = positions[x];
        const int x0 = static_cast<int>(px);
        const int x1 = std::min(x0 + 1, sourceWidth - 1);
        const BYTE* left = row + static_cast<size_t>(x0) * bytesPerPixel;
        const BYTE* right = row + static_cast<size_t>(x1) * bytesPerPixel;
        for (int ch = 0; ch < bytesPerPixel; ++ch)
            *value++ = left[ch] * (x0 + 1 - px) + right[ch] * (px - x0);
    }
}

}  // namespace

int CImgKernels::ResizeBilinearChecked(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel,
                                       BYTE* target, int targetWidth, int targetHeight)
{
    ClearErrorText();
    return CheckResizeArguments(*this, source, sourceWidth, sourceHeight, bytesPerPixel, target, targetWidth,
                                targetHeight)
               ? 1
               : 0;
}

int CImgKernels::ResizeBilinear(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel,
                                BYTE* target, int targetWidth, int targetHeight)
{
    if (!ResizeBilinearChecked(source, sourceWidth, sourceHeight, bytesPerPixel, target, targetWidth, targetHeight))
        return 0;
    const int64_t rowValues = static_cast<int64_t>(targetWidth) * bytesPerPixel;
    CDoubleBuffer positions(targetWidth);
    CDoubleBuffer upper(rowValues);
    CDoubleBuffer lower(rowValues);
    if (!upper.IsValid() || !lower.IsValid())
        return Fail(kTextOutOfMemory);
    if (!FillSourcePositions(*this, positions, sourceWidth, targetWidth))
        return 0;

    const size_t sourceRow = SpanBytes(sourceWidth, bytesPerPixel);
    CKernelProgress progress(*this);
    BYTE* out = target;
    for (int y = 0; y < targetHeight; ++y) {
        const double sy = SourcePosition(y, sourceHeight, targetHeight);
        const int y0 = static_cast<int>(sy);
        const int y1 = std::min(y0 + 1, sourceHeight - 1);
        InterpolateRow(source + y0 * sourceRow, sourceWidth, bytesPerPixel, positions, targetWidth, upper);
        InterpolateRow(source + y1 * sourceRow, sourceWidth, bytesPerPixel, positions, targetWidth, lower);
        for (int64_t i = 0; i < rowValues; ++i)
            *out++ = static_cast<BYTE>(upper[i] * (y0 + 1 - sy) + lower[i] * (sy - y0));
        if (!progress.ReportFraction(sy / sourceHeight))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
