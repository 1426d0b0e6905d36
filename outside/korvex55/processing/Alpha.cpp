#include "outside/korvex55/processing/Alpha.h"

#include <algorithm>
#include <cmath>

#include "outside/korvex55/color/ColorMath.h"

namespace KORVEX55 {

namespace {

uint8_t Weigh(uint32_t sample, uint32_t alpha)
{
    return static_cast<uint8_t>((sample * alpha + 127) / 255);
}

struct Rgba {
    double c[3];
    double alpha;
};

Rgba ReadLayer(const Layer& layer, int32_t x, int32_t y)
{
    const PixelView& p = layer.picture;
    Rgba pixel{};
    for (int32_t c = 0; c < 3; ++c)
        pixel.c[c] = p.Get(x, y, p.Channels() == 1 ? 0 : c);
    const int32_t alpha = layer.constantAlpha >= 0 ? layer.constantAlpha : p.Channels() == 4 ? p.Get(x, y, 3) : 255;
    pixel.alpha = alpha / 255.0;
    return pixel;
}

void Factors(int32_t op, double a, double b, double& fa, double& fb)
{
    switch (op) {
    case kCompositeIn:
        fa = b, fb = 0;
        break;
    case kCompositeOut:
        fa = 1 - b, fb = 0;
        break;
    case kCompositeAtop:
        fa = b, fb = 1 - a;
        break;
    case kCompositeXor:
        fa = 1 - b, fb = 1 - a;
        break;
    case kCompositePlus:
        fa = 1, fb = 1;
        break;
    default:
        fa = 1, fb = 1 - a;
        break;
    }
}

uint8_t ToSample(double value)
{
    return static_cast<uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0));
}

Rgba Combine(const Rgba& first, const Rgba& second, int32_t op)
{
    double fa = 0, fb = 0;
    Factors(op, first.alpha, second.alpha, fa, fb);
    const double wa = first.alpha * fa;
    const double wb = second.alpha * fb;
    Rgba result{};
    result.alpha = std::min(1.0, wa + wb);
    for (int32_t c = 0; c < 3; ++c) {
        const double premultiplied = std::min(255.0, first.c[c] * wa + second.c[c] * wb);
        result.c[c] = result.alpha > 0 ? std::min(255.0, premultiplied / result.alpha) : 0;
    }
    return result;
}

void Store(const PixelView& destination, int32_t x, int32_t y, const Rgba& pixel)
{
    if (destination.Channels() == 1) {
        destination.Set(x, y, 0, GreyOf(ToSample(pixel.c[0]), ToSample(pixel.c[1]), ToSample(pixel.c[2])));
        return;
    }
    for (int32_t c = 0; c < 3; ++c)
        destination.Set(x, y, c, ToSample(pixel.c[c]));
    if (destination.Channels() == 4)
        destination.Set(x, y, 3, ToSample(pixel.alpha * 255));
}

}  // namespace

void PremultiplyByOwnAlpha(const PixelView& picture)
{
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* p = picture.Row(y);
        for (int32_t x = 0; x < picture.width; ++x, p += 4)
            for (int32_t c = 0; c < 3; ++c)
                p[c] = Weigh(p[c], p[3]);
    }
}

void PremultiplyByConstant(const PixelView& picture, uint8_t alpha)
{
    const int32_t channels = picture.Channels();
    const int32_t colours = channels == 4 ? 3 : channels;
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* p = picture.Row(y);
        for (int32_t x = 0; x < picture.width; ++x, p += channels) {
            for (int32_t c = 0; c < colours; ++c)
                p[c] = Weigh(p[c], alpha);
            if (channels == 4)
                p[3] = alpha;
        }
    }
}

void SetAlpha(const PixelView& picture, uint8_t alpha)
{
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* p = picture.Row(y);
        for (int32_t x = 0; x < picture.width; ++x)
            p[static_cast<ptrdiff_t>(x) * 4 + 3] = alpha;
    }
}

void SetAlphaFrom(const PixelView& picture, const PixelView& alpha)
{
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* p = picture.Row(y);
        const uint8_t* a = alpha.Row(y);
        for (int32_t x = 0; x < picture.width; ++x)
            p[static_cast<ptrdiff_t>(x) * 4 + 3] = a[x];
    }
}

void CompositePictures(const Layer& first, const Layer& second, int32_t op, const PixelView& destination)
{
    for (int32_t y = 0; y < destination.height; ++y)
        for (int32_t x = 0; x < destination.width; ++x)
            Store(destination, x, y, Combine(ReadLayer(first, x, y), ReadLayer(second, x, y), op));
}

}  // namespace KORVEX55
