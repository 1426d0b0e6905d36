// Resizing of 1-bit rows: each target pixel copies the nearer source pixel
// in both directions (a position exactly halfway takes the next one).
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/resize/ResizeBuffers.h"
#include "image/kernels/resize/ResizeChecks.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

int NearerIndex(double position, int size)
{
    const int low = static_cast<int>(position);
    return position - low >= 0.5 ? std::min(low + 1, size - 1) : low;
}

bool BitAt(const BYTE* row, int x)
{
    return (row[x / 8] & (0x80 >> (x % 8))) != 0;
}

}  // namespace

int CImgKernels::ResizeRounded1(const BYTE* source, int sourceWidth, int sourceHeight, BYTE* target, int targetWidth,
                                int targetHeight)
{
    ClearErrorText();
    if (!CheckResizeArguments(*this, source, sourceWidth, sourceHeight, 1, target, targetWidth, targetHeight))
        return 0;
    CDoubleBuffer positions(targetWidth);
    const size_t targetRow = BitRowBytes(targetWidth);
    CByteFillBuffer row(static_cast<int64_t>(targetRow));
    if (!row.IsValid())
        return Fail(kTextOutOfMemory);
    if (!FillSourcePositions(*this, positions, sourceWidth, targetWidth))
        return 0;

    const size_t sourceRow = BitRowBytes(sourceWidth);
    CKernelProgress progress(*this);
    for (int y = 0; y < targetHeight; ++y) {
        const double sy = SourcePosition(y, sourceHeight, targetHeight);
        const BYTE* from = source + NearerIndex(sy, sourceHeight) * sourceRow;
        row.Fill(0);
        BYTE* bits = row.GetData();
        for (int x = 0; x < targetWidth; ++x) {
            if (BitAt(from, NearerIndex(positions[x], sourceWidth)))
                bits[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
        std::memcpy(target + y * targetRow, bits, targetRow);
        if (!progress.ReportFraction(sy / sourceHeight))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
