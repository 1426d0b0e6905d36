#include <algorithm>
#include <cstdint>
#include <vector>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

constexpr int kMaxColorLayers = 4;

// One ink layer: the ink amount of each gray level (limited to 0..255) and
// how much of each channel the ink takes away at each amount.
struct CInkLayer {
    CInkLayer(const int* curve, COLORREF color)
    {
        const BYTE channel[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
        for (int i = 0; i < 256; ++i)
        {
            amount[i] = static_cast<BYTE>(std::clamp(curve[i], 0, 255));
            for (int c = 0; c < 3; ++c)
                absorbed[c][i] = static_cast<BYTE>(i * (255 - channel[c]) / 255);
        }
    }
    BYTE amount[256];
    BYTE absorbed[3][256];
};

int GrayOf(const BYTE* pixel)
{
    const int gray = static_cast<int>(0.299 * pixel[0] + 0.587 * pixel[1] + 0.114 * pixel[2]);
    return std::clamp(gray, 0, 255);
}

// The pixel printed with the inks of its gray level: each ink takes its
// share of every channel away from white.
void PrintPixel(BYTE* pixel, const std::vector<CInkLayer>& layers)
{
    const int gray = GrayOf(pixel);
    int taken[3] = {0, 0, 0};
    for (const CInkLayer& layer : layers)
    {
        const BYTE level = layer.amount[gray];
        for (int c = 0; c < 3; ++c)
            taken[c] = std::min(255, taken[c] + layer.absorbed[c][level]);
    }
    for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<BYTE>(255 - taken[c]);
}

}  // namespace

int CImgKernels::AdjustColors(BYTE* pixels, int width, int height, const int* layer1, COLORREF color1,
                              const int* layer2, COLORREF color2, const int* layer3, COLORREF color3,
                              const int* layer4, COLORREF color4)
{
    ClearErrorText();
    if (!pixels)
        return Fail(kTextInvalidParameter);
    if (height < 1 || width < 1)
        return 1;
    const int* curves[kMaxColorLayers] = {layer1, layer2, layer3, layer4};
    const COLORREF colors[kMaxColorLayers] = {color1, color2, color3, color4};
    // The caller's curves are limited in a copy; they stay as they were.
    std::vector<CInkLayer> layers;
    for (int i = 0; i < kMaxColorLayers && curves[i]; ++i)
        layers.emplace_back(curves[i], colors[i]);
    const int64_t pixelCount = static_cast<int64_t>(width) * height;
    for (int64_t i = 0; i < pixelCount; ++i)
        PrintPixel(pixels + 3 * i, layers);
    return 1;
}

}  // namespace ZAV
