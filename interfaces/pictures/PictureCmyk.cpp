#include "interfaces/pictures/PictureCmyk.h"

namespace ZAV {

namespace {

uint8_t Channel(unsigned colorant, unsigned black)
{
    return static_cast<uint8_t>(((255u - colorant) * (255u - black) + 127u) / 255u);
}

}  // namespace

CArraySimple<unsigned char, 1> CmykToRgb(const uint8_t* samples, size_t size)
{
    const size_t pixels = size / 4;
    CArraySimple<unsigned char, 1> rgb;
    if (pixels == 0)
        return rgb;
    rgb.SetSize(static_cast<int32_t>(pixels * 3));
    unsigned char* out = rgb.GetData();
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* in = samples + i * 4;
        out[i * 3] = Channel(in[0], in[3]);
        out[i * 3 + 1] = Channel(in[1], in[3]);
        out[i * 3 + 2] = Channel(in[2], in[3]);
    }
    return rgb;
}

}  // namespace ZAV
