#include <cstdint>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/levels/ChannelMask.h"
#include "image/kernels/tone/BrightnessContrastCurve.h"

namespace ZAV {

namespace {

bool IsImage(const BYTE* pixels, int width, int height)
{
    return pixels && width > 0 && height > 0;
}

std::vector<BYTE> CurveTable8(double brightness, double contrast)
{
    std::vector<BYTE> table(256);
    BuildCurveTable8(table.data(), brightness, contrast);
    return table;
}

std::vector<uint16_t> CurveTable16(double brightness, double contrast)
{
    std::vector<uint16_t> table(65536);
    BuildCurveTable16(table.data(), brightness, contrast);
    return table;
}

}  // namespace

int CImgKernels::BrightnessContrast24(BYTE* pixels, int width, int height, double brightness, double contrast)
{
    ClearErrorText();
    if (!IsImage(pixels, width, height))
        return Fail(kTextInvalidParameter);
    return ApplyLut24(pixels, width, height, kAllChannels, CurveTable8(brightness, contrast).data());
}

int CImgKernels::BrightnessContrast48(BYTE* pixels, int width, int height, double brightness, double contrast)
{
    ClearErrorText();
    if (!IsImage(pixels, width, height))
        return Fail(kTextInvalidParameter);
    return ApplyLut48(pixels, width, height, kAllChannels, CurveTable16(brightness, contrast).data());
}

int CImgKernels::BrightnessContrast8(BYTE* pixels, int width, int height, double brightness, double contrast)
{
    ClearErrorText();
    if (!IsImage(pixels, width, height))
        return Fail(kTextInvalidParameter);
    return ApplyLut8(pixels, width, height, CurveTable8(brightness, contrast).data());
}

int CImgKernels::BrightnessContrast16(BYTE* pixels, int width, int height, double brightness, double contrast)
{
    ClearErrorText();
    if (!IsImage(pixels, width, height))
        return Fail(kTextInvalidParameter);
    return ApplyLut16(pixels, width, height, CurveTable16(brightness, contrast).data());
}

int CImgKernels::BrightnessContrastPalette(uint32_t* entries, int count, double brightness, double contrast)
{
    ClearErrorText();
    if (!entries || count <= 0)
        return Fail(kTextInvalidParameter);
    return ApplyLutPalette(entries, count, kAllChannels, CurveTable8(brightness, contrast).data());
}

}  // namespace ZAV
