#include <cstdint>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/levels/ChannelMask.h"
#include "image/kernels/levels/Levels.h"

namespace ZAV {

namespace {

// The low and high clip of a call, as fractions.
struct CClip {
    CClip(double lowPercent, double highPercent)
        : low(PercentToFraction(lowPercent)), high(PercentToFraction(highPercent))
    {
    }
    double low;
    double high;
};

// What differs between 8-bit and 16-bit channels: the number of levels, the
// kernels that count and stretch, the level search.
struct CDepth8 {
    static constexpr int kLevels = kLevels8;
    static bool Find(const uint32_t* counts, int64_t n, const CClip& clip, int& low, int& high)
    {
        return FindLevels(counts, n, clip.low, clip.high, low, high);
    }
    static int CountColors(CImgKernels& k, BYTE* p, int w, int h, uint32_t* (&counts)[4])
    {
        return k.Histogram24(p, w, h, counts[0], counts[1], counts[2], counts[3], 1);
    }
    static int CountValues(CImgKernels& k, BYTE* p, int w, int h, uint32_t* counts)
    {
        return k.Histogram8(p, w, h, counts);
    }
    static int StretchColors(CImgKernels& k, BYTE* p, int w, int h, int low, int high)
    {
        return k.Stretch24(p, w, h, low, high);
    }
    static int StretchValues(CImgKernels& k, BYTE* p, int w, int h, int low, int high)
    {
        return k.Stretch8(p, w, h, low, high);
    }
    static int StretchChannel(CImgKernels& k, BYTE* p, int w, int h, int channel, int low, int high)
    {
        return k.ApplyLut24(p, w, h, ChannelBit(channel), BuildStretchTable8(low, high).data());
    }
};

struct CDepth16 {
    static constexpr int kLevels = kLevels16;
    static bool Find(const uint32_t* counts, int64_t n, const CClip& clip, int& low, int& high)
    {
        return FindLevels16(counts, n, clip.low, clip.high, low, high);
    }
    static int CountColors(CImgKernels& k, BYTE* p, int w, int h, uint32_t* (&counts)[4])
    {
        return k.Histogram48(p, w, h, counts[0], counts[1], counts[2], counts[3], 1);
    }
    static int CountValues(CImgKernels& k, BYTE* p, int w, int h, uint32_t* counts)
    {
        return k.Histogram16(p, w, h, counts);
    }
    static int StretchColors(CImgKernels& k, BYTE* p, int w, int h, int low, int high)
    {
        return k.Stretch48(p, w, h, low, high);
    }
    static int StretchValues(CImgKernels& k, BYTE* p, int w, int h, int low, int high)
    {
        return k.Stretch16(p, w, h, low, high);
    }
    static int StretchChannel(CImgKernels& k, BYTE* p, int w, int h, int channel, int low, int high)
    {
        return k.ApplyLut48(p, w, h, ChannelBit(channel), BuildStretchTable16(low, high).data());
    }
};

// The gray, red, green and blue histograms of a colour image.
struct CColorCounts {
    explicit CColorCounts(int levels) : storage(4, std::vector<uint32_t>(levels))
    {
        for (int i = 0; i < 4; ++i)
            arrays[i] = storage[i].data();
    }
    std::vector<std::vector<uint32_t>> storage;
    uint32_t* arrays[4];  // gray, red, green, blue
};

int64_t PixelCount(int width, int height)
{
    return static_cast<int64_t>(width) * height;
}

// One stretch of all channels between the levels of the luminance histogram.
template <class Depth>
int AutoContrastColors(CImgKernels& k, BYTE* pixels, int width, int height, const CClip& clip)
{
    CColorCounts counts(Depth::kLevels);
    if (!Depth::CountColors(k, pixels, width, height, counts.arrays))
        return 0;
    int low, high;
    if (!Depth::Find(counts.arrays[0], PixelCount(width, height), clip, low, high))
        return 1;
    return Depth::StretchColors(k, pixels, width, height, low, high);
}

// One stretch per channel between the levels of its own histogram; nothing
// changes unless every channel has a range.
template <class Depth>
int AutoLevelsColors(CImgKernels& k, BYTE* pixels, int width, int height, const CClip& clip)
{
    CColorCounts counts(Depth::kLevels);
    if (!Depth::CountColors(k, pixels, width, height, counts.arrays))
        return 0;
    int low[3], high[3];
    for (int c = 0; c < 3; ++c)
    {
        if (!Depth::Find(counts.arrays[c + 1], PixelCount(width, height), clip, low[c], high[c]))
            return 1;
        if (high[c] - low[c] < 1)
            return 1;
    }
    for (int c = 0; c < 3; ++c)
        if (!Depth::StretchChannel(k, pixels, width, height, c, low[c], high[c]))
            return 0;
    return 1;
}

template <class Depth>
int AutoLevelsValues(CImgKernels& k, BYTE* pixels, int width, int height, const CClip& clip)
{
    std::vector<uint32_t> counts(Depth::kLevels);
    if (!Depth::CountValues(k, pixels, width, height, counts.data()))
        return 0;
    int low, high;
    if (!Depth::Find(counts.data(), PixelCount(width, height), clip, low, high))
        return 1;
    return Depth::StretchValues(k, pixels, width, height, low, high);
}

using AutoFunction = int (*)(CImgKernels&, BYTE*, int, int, const CClip&);

// The steps every automatic kernel starts with.
int RunAuto(CImgKernels& k, AutoFunction run, BYTE* pixels, int width, int height, double lowPercent,
            double highPercent)
{
    k.ClearErrorText();
    if (width == 0 || height == 0)
        return 1;
    return run(k, pixels, width, height, CClip(lowPercent, highPercent));
}

}  // namespace

int CImgKernels::AutoContrast24(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoContrastColors<CDepth8>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoContrast48(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoContrastColors<CDepth16>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoLevels24(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoLevelsColors<CDepth8>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoLevels48(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoLevelsColors<CDepth16>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoLevels8(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoLevelsValues<CDepth8>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoLevels16(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return RunAuto(*this, AutoLevelsValues<CDepth16>, pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoContrast8(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return AutoLevels8(pixels, width, height, lowPercent, highPercent);
}

int CImgKernels::AutoContrast16(BYTE* pixels, int width, int height, double lowPercent, double highPercent)
{
    return AutoLevels16(pixels, width, height, lowPercent, highPercent);
}

}  // namespace ZAV
