// Rotation by any angle into a new block, nearest neighbour: every output
// pixel takes the source pixel its position turns back to, or the
// background where that lies outside the source.
#include "image/core/GlobalMemBlock.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/shared/PixelBlocks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ZAV {

namespace {

struct RotatedFrame {
    int64_t minX = 0;
    int64_t minY = 0;
    int64_t width = 0;
    int64_t height = 0;
};

// The bounding box of the turned corners, each truncated toward zero, with
// the origin always inside.
RotatedFrame FrameOfTurnedCorners(int width, int height, double c, double s)
{
    const double cornersX[3] = {-height * s, width * c - height * s, width * c};
    const double cornersY[3] = {height * c, height * c + width * s, width * s};
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 3; ++i) {
        const int64_t x = static_cast<int64_t>(cornersX[i]);
        const int64_t y = static_cast<int64_t>(cornersY[i]);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    RotatedFrame frame;
    frame.minX = minX;
    frame.minY = minY;
    frame.width = maxX - minX;
    frame.height = maxY - minY;
    return frame;
}

}  // namespace

HGLOBAL CImgKernels::RotateAnyAngle(const BYTE* source, int width, int height, double angle, COLORREF background,
                                    int& newWidth, int& newHeight, BYTE backgroundGray, bool eightBit)
{
    ClearErrorText();
    if (!source || width < 0 || height < 0 || !std::isfinite(angle)) {
        Fail(kTextInvalidParameter);
        return nullptr;
    }
    const int bytesPerPixel = eightBit ? 1 : 3;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const RotatedFrame frame = FrameOfTurnedCorners(width, height, c, s);
    CGlobalHandle block;
    block.Attach(AllocPixelBlock(BlockBytes(frame.width, frame.height, bytesPerPixel)));
    if (!block.GetHandle()) {
        Fail(kTextOutOfMemory);
        return nullptr;
    }

    const BYTE fill[3] = {eightBit ? backgroundGray : GetRValue(background), GetGValue(background),
                          GetBValue(background)};
    BYTE* out = static_cast<BYTE*>(block.GetHandle());
    const size_t sourceRow = SpanBytes(width, bytesPerPixel);
    CKernelProgress progress(*this);
    for (int64_t y = 0; y < frame.height; ++y) {
        const double yy = static_cast<double>(y + frame.minY);
        for (int64_t x = 0; x < frame.width; ++x, out += bytesPerPixel) {
            const double xx = static_cast<double>(x + frame.minX);
            const double column = xx * c + yy * s;
            const double row = yy * c - xx * s;
            const bool inside = column > -1 && row > -1 && column < width && row < height;
            const BYTE* from =
                inside ? source + static_cast<int64_t>(row) * sourceRow + static_cast<int64_t>(column) * bytesPerPixel
                       : fill;
            std::memcpy(out, from, static_cast<size_t>(bytesPerPixel));
        }
        if (!progress.Report(y, frame.height))
            return nullptr;
    }
    newWidth = static_cast<int>(frame.width);
    newHeight = static_cast<int>(frame.height);
    return block.Detach();
}

}  // namespace ZAV
