#include <cstdint>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/levels/ChannelMask.h"
#include "image/kernels/levels/Samples16.h"

namespace ZAV {

namespace {

// Look-up kernels report after every hundredth row.
constexpr int kLutReportRows = 100;

// Maps the channels [first, first + count) of pixels of channelsPerPixel
// values through the table, row by row; false after a cancel.
template <class Samples, class Table>
bool MapChannels(CKernelProgress& progress, BYTE* pixels, int width, int height, int channelsPerPixel, int first,
                 int count, const Table* table)
{
    const int64_t pixelBytes = static_cast<int64_t>(channelsPerPixel) * Samples::kBytes;
    const int64_t rowBytes = pixelBytes * width;
    for (int y = 0; y < height; ++y)
    {
        BYTE* pixel = pixels + rowBytes * y + static_cast<int64_t>(first) * Samples::kBytes;
        for (int x = 0; x < width; ++x, pixel += pixelBytes)
            for (int c = 0; c < count; ++c)
            {
                BYTE* value = pixel + c * Samples::kBytes;
                Samples::Write(value, table[Samples::Read(value)]);
            }
        if (y % kLutReportRows == 0 && !progress.Report(y, height))
            return false;
    }
    return true;
}

// One pass per channel of the mask, or one pass for all three.
template <class Samples, class Table>
int ApplyChannelLut(CImgKernels& kernels, BYTE* pixels, int width, int height, int channelMask, const Table* table)
{
    kernels.ClearErrorText();
    if (!pixels || !table || (channelMask & kAllChannels) == 0 || width < 0 || height < 0)
        return kernels.Fail(kTextInvalidParameter);
    CKernelProgress progress(kernels);
    if ((channelMask & kAllChannels) == kAllChannels)
        return MapChannels<Samples>(progress, pixels, width, height, 3, 0, 3, table) ? 1 : 0;
    for (int channel = 0; channel < 3; ++channel)
    {
        const bool inMask = (channelMask & ChannelBit(channel)) != 0;
        if (inMask && !MapChannels<Samples>(progress, pixels, width, height, 3, channel, 1, table))
            return 0;
    }
    return 1;
}

template <class Samples, class Table>
int ApplyValueLut(CImgKernels& kernels, BYTE* pixels, int width, int height, const Table* table)
{
    kernels.ClearErrorText();
    if (!pixels || !table || width < 0 || height < 0)
        return kernels.Fail(kTextInvalidParameter);
    CKernelProgress progress(kernels);
    return MapChannels<Samples>(progress, pixels, width, height, 1, 0, 1, table) ? 1 : 0;
}

}  // namespace

int CImgKernels::ApplyLut24(BYTE* pixels, int width, int height, int channelMask, const BYTE* table)
{
    return ApplyChannelLut<CByteSamples>(*this, pixels, width, height, channelMask, table);
}

int CImgKernels::ApplyLut48(BYTE* pixels, int width, int height, int channelMask, const uint16_t* table)
{
    return ApplyChannelLut<CWordSamples>(*this, pixels, width, height, channelMask, table);
}

int CImgKernels::ApplyLut8(BYTE* pixels, int width, int height, const BYTE* table)
{
    return ApplyValueLut<CByteSamples>(*this, pixels, width, height, table);
}

int CImgKernels::ApplyLut16(BYTE* pixels, int width, int height, const uint16_t* table)
{
    return ApplyValueLut<CWordSamples>(*this, pixels, width, height, table);
}

int CImgKernels::ApplyLutPalette(uint32_t* entries, int count, int channelMask, const BYTE* table)
{
    ClearErrorText();
    if (!entries || !table || (channelMask & kAllChannels) == 0 || count < 1)
        return Fail(kTextInvalidParameter);
    for (int i = 0; i < count; ++i)
    {
        // Entries hold blue, green, red, alpha in memory.
        BYTE* entry = reinterpret_cast<BYTE*>(entries + i);
        for (int channel = 0; channel < 3; ++channel)
            if (channelMask & ChannelBit(channel))
                entry[2 - channel] = table[entry[2 - channel]];
    }
    return 1;
}

}  // namespace ZAV
