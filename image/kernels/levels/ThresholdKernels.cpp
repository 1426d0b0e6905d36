#include <cstdint>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/levels/WindowSum.h"

namespace ZAV {

namespace {

constexpr const char kTextWindowTooLarge[] = "Threshold window too large!";

// The threshold reports after every hundredth row.
constexpr int kThresholdReportRows = 100;

// One row: each pixel against the mean of its window, cut to the image, so
// that the rows and columns near the edges are written too.
void ThresholdRow(CWindowSum& window, const BYTE* source, int width, int height, int y, int offset, BYTE* target)
{
    window.Init(source, width, height, 0, y);
    const BYTE* pixel = source + static_cast<int64_t>(y) * width;
    BYTE* out = target + static_cast<int64_t>(y) * width;
    for (int x = 0; x < width; ++x)
    {
        const int64_t mean = window.GetSum() / window.GetCount() + offset;
        out[x] = pixel[x] < mean ? 0 : 255;
        window.Slide();
    }
}

}  // namespace

int CImgKernels::AdaptiveThreshold(const BYTE* source, int width, int height, int windowWidth, int windowHeight,
                                   int offset, BYTE* target)
{
    ClearErrorText();
    if (!source || !target || width < 0 || height < 0 || windowWidth < 1 || windowHeight < 1)
        return Fail(kTextInvalidParameter);
    if (width == 0 || height == 0)
        return 1;
    if (windowWidth > width || windowHeight > height)
        return Fail(kTextWindowTooLarge);
    CKernelProgress progress(*this);
    CWindowSum window(width, windowWidth, windowHeight);
    for (int y = 0; y < height; ++y)
    {
        ThresholdRow(window, source, width, height, y, offset, target);
        if (y % kThresholdReportRows == 0 && !progress.Report(y, height))
            return 0;
    }
    return 1;
}

int CImgKernels::ConvertToBlackWhite(BYTE* pixels, int width, int height, int is24Bit)
{
    ClearErrorText();
    if (!pixels || width < 0 || height < 0)
        return Fail(kTextInvalidParameter);
    if (!is24Bit)
    {
        BYTE table[256] = {};
        table[255] = 255;
        return ApplyLut8(pixels, width, height, table);
    }
    CKernelProgress progress(*this);
    const int64_t rowBytes = static_cast<int64_t>(width) * 3;
    for (int y = 0; y < height; ++y)
    {
        BYTE* pixel = pixels + rowBytes * y;
        for (int x = 0; x < width; ++x, pixel += 3)
            if (pixel[0] != 255 || pixel[1] != 255 || pixel[2] != 255)
                pixel[0] = pixel[1] = pixel[2] = 0;
        if (!progress.Report(y, height))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
