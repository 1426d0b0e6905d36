// The histograms of the image, and pictures of them drawn into it.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

class IZAVImageEditHistogramCpp {
public:
    // The grey (luminance for colour images) counts: 256 entries for 8- and
    // 24-bit images, 65,536 for 16- and 48-bit ones.
    virtual CArraySimple<int32_t, 2> GetGrayHistogram() = 0;
    // Grey or luminance, red, green and blue, each array replaced whole;
    // 8- and 16-bit images leave the colour counts at zero.
    virtual void GetHistograms(CArraySimple<int32_t, 2>& gray, CArraySimple<int32_t, 2>& red,
                               CArraySimple<int32_t, 2>& green, CArraySimple<int32_t, 2>& blue) = 0;
    // Bar charts height pixels high (100 for 0 or less) at the top left of
    // the image: the grey one, and for a 24-bit image with allChannels set
    // the red, green and blue ones below it, one pixel row apart.
    virtual void DrawHistograms(int32_t height, int32_t allChannels) = 0;

protected:
    ~IZAVImageEditHistogramCpp() = default;
};

}  // namespace ZAV
