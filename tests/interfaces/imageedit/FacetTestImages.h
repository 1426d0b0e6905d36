// Small pictures the facet tests build and read back pixel by pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAVTest {

struct Rgb {
    unsigned char r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A 24-bit picture whose pixel (x, y) is (x * 16 + 1, y * 16 + 2, x + y * width).
inline ZAV::CZAVPtr<ZAV::IZAVImageEditSp> Rgb24(int width, int height)
{
    ZAV::CZAVPtr<ZAV::IZAVImageEditSp> edit = ZAV::CreateImageEditSp();
    edit->Create(width, height, ZAV::zavbpp24);
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = pixels + (y * width + x) * 3;
            p[0] = static_cast<unsigned char>(x * 16 + 1);
            p[1] = static_cast<unsigned char>(y * 16 + 2);
            p[2] = static_cast<unsigned char>(x + y * width);
        }
    return edit;
}

// An 8-bit grey picture (grey ramp palette) whose pixel (x, y) is value(x, y).
template <class Value>
ZAV::CZAVPtr<ZAV::IZAVImageEditSp> Gray8(int width, int height, Value value)
{
    ZAV::CZAVPtr<ZAV::IZAVImageEditSp> edit = ZAV::CreateImageEditSp();
    edit->Create(width, height, ZAV::zavbpp8);
    edit->GetPalette()->CreateGrayScale();
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = static_cast<unsigned char>(value(x, y));
    return edit;
}

inline ZAV::CZAVPtr<ZAV::IZAVImageEditSp> Bilevel(int width, int height)
{
    ZAV::CZAVPtr<ZAV::IZAVImageEditSp> edit = ZAV::CreateImageEditSp();
    edit->Create(width, height, ZAV::zavbpp1);
    edit->GetPalette()->CreateBlackWhite();
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    for (int i = 0; i < edit->GetImageSize(); ++i)
        pixels[i] = static_cast<unsigned char>(i % 2 ? 0xA5 : 0x3C);
    return edit;
}

inline Rgb PixelAt(ZAV::IZAVImageEditSp& edit, int x, int y)
{
    const auto* p = static_cast<const unsigned char*>(edit.GetImageData()) + (y * edit.GetWidth() + x) * 3;
    return Rgb{p[0], p[1], p[2]};
}

inline unsigned char ByteAt(ZAV::IZAVImageEditSp& edit, int x, int y)
{
    return static_cast<const unsigned char*>(edit.GetImageData())[y * edit.GetBytesPerLine() + x];
}

}  // namespace ZAVTest
