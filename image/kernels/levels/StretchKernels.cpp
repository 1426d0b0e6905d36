#include <cstdint>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/levels/ChannelMask.h"
#include "image/kernels/levels/Levels.h"

namespace ZAV {

namespace {

// A stretch needs a range of one level or more and pixels to work on.
bool NothingToStretch(int width, int height, int low, int high)
{
    return static_cast<int64_t>(high) - low < 1 || width == 0 || height == 0;
}

}  // namespace

int CImgKernels::Stretch8(BYTE* pixels, int width, int height, int low, int high)
{
    ClearErrorText();
    if (NothingToStretch(width, height, low, high))
        return 1;
    return ApplyLut8(pixels, width, height, BuildStretchTable8(low, high).data());
}

int CImgKernels::Stretch24(BYTE* pixels, int width, int height, int low, int high)
{
    ClearErrorText();
    if (NothingToStretch(width, height, low, high))
        return 1;
    return ApplyLut24(pixels, width, height, kAllChannels, BuildStretchTable8(low, high).data());
}

int CImgKernels::Stretch16(BYTE* pixels, int width, int height, int low, int high)
{
    ClearErrorText();
    if (NothingToStretch(width, height, low, high))
        return 1;
    return ApplyLut16(pixels, width, height, BuildStretchTable16(low, high).data());
}

int CImgKernels::Stretch48(BYTE* pixels, int width, int height, int low, int high)
{
    ClearErrorText();
    if (NothingToStretch(width, height, low, high))
        return 1;
    return ApplyLut48(pixels, width, height, kAllChannels, BuildStretchTable16(low, high).data());
}

int CImgKernels::StretchChannel48(BYTE* pixels, int width, int height, double factor, int low, int channelMask)
{
    ClearErrorText();
    if (width == 0 || height == 0)
        return 1;
    return ApplyLut48(pixels, width, height, channelMask, BuildStretchTable16(low, factor).data());
}

}  // namespace ZAV
