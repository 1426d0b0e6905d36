// Colour-space conversions of 24- and 32-bit images (alpha is kept): CMY in
// place, the others from a source into the object's image of the same depth.
#include "outside/korvex55/color/ColorMath.h"
#include "outside/korvex55/core/Core.h"

using namespace KORVEX55;

namespace {

constexpr std::initializer_list<int32_t> kColorDepths = {24, 32};

// Each pixel's first three samples through convert, into an image of the
// source's size and depth; the alpha of 32-bit pixels is copied.
template <typename Convert>
KORV_Status ConvertFromSource(KORV_Handle handle, KORV_Handle sourceHandle, const char* operation, Convert convert)
{
    return RunOperation(handle, operation, [&](Processor& self) {
        const SourceImage source(self, Operand(sourceHandle));
        const ImageView& in = source.View();
        RequireDepth(in, "source", kColorDepths);
        const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
        const int32_t channels = ChannelCount(in.bitsPerPixel);
        for (int32_t y = 0; y < in.height; ++y) {
            const uint8_t* from = in.Row(y);
            uint8_t* to = out.Row(y);
            for (int32_t x = 0; x < in.width; ++x, from += channels, to += channels) {
                const Triple result = convert(from[0], from[1], from[2]);
                to[0] = result.first;
                to[1] = result.second;
                to[2] = result.third;
                if (channels == 4)
                    to[3] = from[3];
            }
        }
    });
}

// Each colour sample of the image through change. Alpha is no colour: a
// 32-bit image keeps it.
template <typename Change>
void ChangeColourSamples(const ImageView& image, Change change)
{
    const int32_t channels = ChannelCount(image.bitsPerPixel);
    const int32_t colours = channels == 4 ? 3 : channels;
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* pixel = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x, pixel += channels)
            for (int32_t c = 0; c < colours; ++c)
                pixel[c] = change(pixel[c]);
    }
}

// 255 minus each colour sample.
void ComplementColors(Processor& self)
{
    ChangeColourSamples(RequireOwnImage(self, kColorDepths),
                        [](uint8_t sample) { return static_cast<uint8_t>(255 - sample); });
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_RGBtoCMY(KORV_Handle handle)
{
    return RunOperation(handle, "RGBtoCMY", ComplementColors);
}

KORV_API KORV_Status KORV_CMYtoRGB(KORV_Handle handle)
{
    return RunOperation(handle, "CMYtoRGB", ComplementColors);
}

KORV_API KORV_Status KORV_RGBtoYUV(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "RGBtoYUV", RgbToYcc);
}

KORV_API KORV_Status KORV_YUVtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "YUVtoRGB", YccToRgb);
}

KORV_API KORV_Status KORV_RGBtoXYZ(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "RGBtoXYZ", RgbToXyz);
}

KORV_API KORV_Status KORV_XYZtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "XYZtoRGB", XyzToRgb);
}

KORV_API KORV_Status KORV_RGBtoYCC(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "RGBtoYCC", RgbToYcc);
}

KORV_API KORV_Status KORV_YCCtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return ConvertFromSource(handle, source, "YCCtoRGB", YccToRgb);
}

KORV_API KORV_Status KORV_GammaCorrection(KORV_Handle handle, int32_t value)
{
    return RunOperation(handle, "GammaCorrection", [&](Processor& self) {
        RequireRange(value, "gamma", 1, kMaxGammaValue);
        const ImageView& image = RequireOwnImage(self, {8, 9, 24, 32});
        uint8_t table[256];
        BuildGammaTable(value, table);
        ChangeColourSamples(image, [&table](uint8_t sample) { return table[sample]; });
    });
}

}  // extern "C"
