#include <algorithm>
#include <cstdint>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/levels/Levels.h"
#include "image/kernels/levels/Samples16.h"

namespace ZAV {

namespace {

// The gray level of a pixel: the plain average (weights 0.333, as the level
// tools have always counted) or the luminance weights.
double GrayOf(double red, double green, double blue, int luminance)
{
    if (luminance)
        return 0.299 * red + 0.587 * green + 0.114 * blue;
    return 0.333 * red + 0.333 * green + 0.333 * blue;
}

template <class Samples>
int CountChannels(CImgKernels& kernels, const BYTE* pixels, int width, int height, uint32_t* gray, uint32_t* red,
                  uint32_t* green, uint32_t* blue, int luminance, int levels)
{
    kernels.ClearErrorText();
    if (!pixels || !gray || !red || !green || !blue || width < 0 || height < 0)
        return kernels.Fail(kTextInvalidParameter);
    for (uint32_t* counts : {gray, red, green, blue})
        std::fill(counts, counts + levels, 0u);
    const int64_t pixelCount = static_cast<int64_t>(width) * height;
    const BYTE* pixel = pixels;
    for (int64_t i = 0; i < pixelCount; ++i, pixel += 3 * Samples::kBytes)
    {
        const int r = Samples::Read(pixel);
        const int g = Samples::Read(pixel + Samples::kBytes);
        const int b = Samples::Read(pixel + 2 * Samples::kBytes);
        const int level = static_cast<int>(GrayOf(r, g, b, luminance));
        ++gray[std::min(level, levels - 1)];
        ++red[r];
        ++green[g];
        ++blue[b];
    }
    return 1;
}

template <class Samples>
int CountValues(CImgKernels& kernels, const BYTE* pixels, int width, int height, uint32_t* counts, int levels)
{
    kernels.ClearErrorText();
    if (!pixels || !counts || width < 0 || height < 0)
        return kernels.Fail(kTextInvalidParameter);
    std::fill(counts, counts + levels, 0u);
    const int64_t pixelCount = static_cast<int64_t>(width) * height;
    const BYTE* pixel = pixels;
    for (int64_t i = 0; i < pixelCount; ++i, pixel += Samples::kBytes)
        ++counts[Samples::Read(pixel)];
    return 1;
}

}  // namespace

int CImgKernels::Histogram24(const BYTE* pixels, int width, int height, uint32_t* gray, uint32_t* red,
                             uint32_t* green, uint32_t* blue, int luminance)
{
    return CountChannels<CByteSamples>(*this, pixels, width, height, gray, red, green, blue, luminance, kLevels8);
}

int CImgKernels::Histogram48(const BYTE* pixels, int width, int height, uint32_t* gray, uint32_t* red,
                             uint32_t* green, uint32_t* blue, int luminance)
{
    return CountChannels<CWordSamples>(*this, pixels, width, height, gray, red, green, blue, luminance, kLevels16);
}

int CImgKernels::Histogram8(const BYTE* pixels, int width, int height, uint32_t* counts)
{
    return CountValues<CByteSamples>(*this, pixels, width, height, counts, kLevels8);
}

int CImgKernels::Histogram16(const BYTE* pixels, int width, int height, uint32_t* counts)
{
    return CountValues<CWordSamples>(*this, pixels, width, height, counts, kLevels16);
}

}  // namespace ZAV
