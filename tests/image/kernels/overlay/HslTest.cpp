#include "image/kernels/overlay/Hsl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/kernels/KernelTestSupport.h"

namespace {

struct Rgb {
    int r, g, b;
};

const std::vector<Rgb>& SampleColors()
{
    static const std::vector<Rgb> colors = {
        {255, 0, 0},     {255, 255, 0},   {0, 255, 0},     {0, 255, 255}, {0, 0, 255},  {255, 0, 255},
        {0, 0, 0},       {255, 255, 255}, {128, 128, 128}, {10, 20, 30},  {200, 100, 50}, {1, 2, 3},
        {254, 1, 128},   {90, 200, 199},  {30, 30, 31},    {250, 240, 5}, {77, 0, 200},  {128, 64, 255},
    };
    return colors;
}

BYTE Byte(int value)
{
    return static_cast<BYTE>(value);
}

}  // namespace

TEST(Hsl, RgbToHslMatchesColorsys)
{
    std::string program = "import colorsys\nfor r, g, b in [";
    for (const Rgb& c : SampleColors())
        program += "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "),";
    program += "]:\n    h, l, s = colorsys.rgb_to_hls(r / 255, g / 255, b / 255)\n    print(repr(h * 360), repr(l), repr(s))\n";
    const std::vector<double> expected = ZAVTest::PythonNumbers(program);
    ASSERT_EQ(expected.size(), SampleColors().size() * 3);
    for (size_t i = 0; i < SampleColors().size(); ++i)
    {
        const Rgb& c = SampleColors()[i];
        const ZAV::CHsl hsl = ZAV::RgbToHsl(Byte(c.r), Byte(c.g), Byte(c.b));
        SCOPED_TRACE(std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
        EXPECT_NEAR(hsl.hue, expected[3 * i], 1e-6);
        EXPECT_NEAR(hsl.lightness, expected[3 * i + 1], 1e-9);
        EXPECT_NEAR(hsl.saturation, expected[3 * i + 2], 1e-9);
    }
}

TEST(Hsl, HslToRgbMatchesColorsys)
{
    const ZAV::CHsl samples[] = {
        {0, 0.5, 1},      {60, 0.5, 1},  {120, 0.25, 1}, {180, 0.75, 0.5}, {240, 0.5, 1}, {300, 0.4, 0.3},
        {359, 0.5, 0.9}, {20, 0.5, 1},  {90, 0, 1},     {90, 1, 1},       {45, 0.6, 0},  {210, 0.1, 0.8},
    };
    std::string program = "import colorsys\nfor h, l, s in [";
    for (const ZAV::CHsl& hsl : samples)
        program += "(" + std::to_string(hsl.hue) + "," + std::to_string(hsl.lightness) + "," +
                   std::to_string(hsl.saturation) + "),";
    program += "]:\n    print(*(repr(v * 255) for v in colorsys.hls_to_rgb(h / 360, l, s)))\n";
    const std::vector<double> expected = ZAVTest::PythonNumbers(program);
    ASSERT_EQ(expected.size(), std::size(samples) * 3);
    for (size_t i = 0; i < std::size(samples); ++i)
    {
        BYTE rgb[3];
        ZAV::HslToRgb(samples[i], rgb[0], rgb[1], rgb[2]);
        for (int channel = 0; channel < 3; ++channel)
        {
            // Channels are truncated: at most one below the exact value.
            SCOPED_TRACE("sample " + std::to_string(i) + " channel " + std::to_string(channel));
            EXPECT_LE(rgb[channel], expected[3 * i + channel] + 1e-6);
            EXPECT_GT(rgb[channel], expected[3 * i + channel] - 1 - 1e-6);
        }
    }
}

TEST(Hsl, RoundTripKeepsColors)
{
    std::vector<Rgb> colors = SampleColors();
    const std::vector<uint8_t> random = ZAVTest::RandomBytes(300 * 3, 7);
    for (size_t i = 0; i < random.size(); i += 3)
        colors.push_back({random[i], random[i + 1], random[i + 2]});
    for (const Rgb& c : colors)
    {
        BYTE r, g, b;
        ZAV::HslToRgb(ZAV::RgbToHsl(Byte(c.r), Byte(c.g), Byte(c.b)), r, g, b);
        SCOPED_TRACE(std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
        EXPECT_NEAR(r, c.r, 1);
        EXPECT_NEAR(g, c.g, 1);
        EXPECT_NEAR(b, c.b, 1);
    }
    BYTE r, g, b;
    ZAV::HslToRgb(ZAV::RgbToHsl(255, 0, 0), r, g, b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 0}));
}

TEST(Hsl, ColorModesTakeTheirPartOfTheOtherPixel)
{
    struct Case {
        Rgb base, other;
        int mode;
        Rgb expected;
    };
    const Case cases[] = {
        {{200, 100, 50}, {50, 100, 200}, ZAV::kColorModeHue, {50, 100, 200}},        // same S and L
        {{255, 0, 0}, {0, 0, 255}, ZAV::kColorModeColor, {0, 0, 255}},
        {{255, 0, 0}, {128, 128, 128}, ZAV::kColorModeSaturation, {127, 127, 127}},  // gray takes no colour
        {{255, 0, 0}, {0, 0, 0}, ZAV::kColorModeLuminosity, {0, 0, 0}},
        {{255, 0, 0}, {255, 255, 255}, ZAV::kColorModeLuminosity, {255, 255, 255}},
        {{10, 200, 30}, {1, 2, 3}, 99, {10, 200, 30}},                             // unknown: base kept
    };
    for (const Case& c : cases)
    {
        BYTE r, g, b;
        ZAV::CombineColorMode(Byte(c.base.r), Byte(c.base.g), Byte(c.base.b), Byte(c.other.r), Byte(c.other.g),
                              Byte(c.other.b), c.mode, r, g, b);
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        EXPECT_NEAR(r, c.expected.r, 1);
        EXPECT_NEAR(g, c.expected.g, 1);
        EXPECT_NEAR(b, c.expected.b, 1);
    }
}
