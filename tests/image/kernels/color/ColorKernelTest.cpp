#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/color/HsvConversion.h"
#include "image/kernels/support/KernelTestImages.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

TEST(ColorKernels, HsvAgreesWithPythonsColorsys)
{
    const std::vector<uint8_t> colors = {255, 0,   0,   0,  255, 0,   0,   0,   255, 255, 255, 0,   12, 200, 99,
                                         250, 128, 3,   33, 66,  99,  200, 10,  180, 1,   2,   3,   90, 90,  91};
    std::ostringstream expectedScript;
    expectedScript << "import sys, colorsys\nd = open(sys.argv[1], 'rb').read()\nout = []\n"
                      "for i in range(0, len(d), 3):\n"
                      "    h, s, v = colorsys.rgb_to_hsv(d[i] / 255, d[i + 1] / 255, d[i + 2] / 255)\n"
                      "    out.append('%.9f %.9f %.9f' % (h * 360, s, v))\n"
                      "open(sys.argv[2], 'w').write('\\n'.join(out))\n";
    const std::vector<uint8_t> reply = RunPython(expectedScript.str(), colors);
    std::istringstream expected(std::string(reply.begin(), reply.end()));
    for (size_t i = 0; i < colors.size(); i += 3) {
        double hue = 0, saturation = 0, value = 0, h = 0, s = 0, v = 0;
        RgbToHsv(colors[i], colors[i + 1], colors[i + 2], hue, saturation, value);
        ASSERT_TRUE(expected >> h >> s >> v);
        EXPECT_NEAR(h, hue, 1e-6) << i / 3;
        EXPECT_NEAR(s, saturation, 1e-6) << i / 3;
        EXPECT_NEAR(v, value, 1e-6) << i / 3;
    }
}

TEST(ColorKernels, HsvAdjustment)
{
    const struct {
        uint8_t in[3];
        int hue;
        int saturation;
        int value;
        uint8_t out[3];
    } cases[] = {
        {{255, 0, 0}, 180, 0, 0, {0, 255, 255}},       // red turns cyan
        {{255, 0, 0}, 400, 0, 0, {0, 255, 255}},       // the shift is limited to 180
        {{128, 128, 128}, 90, 100, 0, {128, 128, 128}},  // gray stays gray
        {{128, 128, 128}, -45, 100, 50, {191, 191, 191}},
        {{200, 100, 0}, 0, -100, 0, {200, 200, 200}},
        {{200, 100, 0}, 0, 0, -100, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        uint8_t pixel[3] = {c.in[0], c.in[1], c.in[2]};
        CImgKernels context;
        ASSERT_EQ(1, context.AdjustHsv(pixel, 1, 1, c.hue, c.saturation, c.value));
        EXPECT_EQ(c.out[0], pixel[0]) << c.hue << " " << c.saturation << " " << c.value;
        EXPECT_EQ(c.out[1], pixel[1]);
        EXPECT_EQ(c.out[2], pixel[2]);
    }
}

TEST(ColorKernels, GrayLevelsOfPixelsAndPaletteEntries)
{
    uint8_t pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    uint8_t gray[4] = {};
    CImgKernels context;
    ASSERT_EQ(1, context.Gray24To8(pixels, 4, 1, gray));
    EXPECT_EQ((std::vector<uint8_t>{76, 149, 29, 255}), std::vector<uint8_t>(gray, gray + 4));
    ASSERT_EQ(1, context.ConvertToGray24(pixels, 4, 1));
    EXPECT_EQ((std::vector<uint8_t>{76, 76, 76, 149, 149, 149, 29, 29, 29, 255, 255, 255}),
              std::vector<uint8_t>(pixels, pixels + 12));

    // A palette of grays maps to itself; red gives 76 (no 0.1 added).
    CImagePalette palette;
    palette.CreateGrayScale();
    palette.SetEntry(7, MakePaletteEntry(255, 0, 0));
    std::vector<uint8_t> indices(256);
    for (int i = 0; i < 256; ++i)
        indices[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(1, context.Palette8ToGray(indices.data(), 16, 16, 256, palette.GetEntries()));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(i == 7 ? 76 : i, indices[i]) << i;
    EXPECT_EQ(0, context.Palette8ToGray(indices.data(), 16, 16, 255, palette.GetEntries()));
    EXPECT_STREQ("Invalid Parameter!", context.GetErrorText().GetText());
}

TEST(ColorKernels, BitonalToGrayAtWidthTwelve)
{
    // Two rows of 12 pixels; the low four bits of each second byte lie beyond the width.
    const uint8_t bits[] = {0xA5, 0xCF, 0x0F, 0x3F};
    const uint32_t palette[2] = {MakePaletteEntry(10, 10, 10), MakePaletteEntry(255, 255, 255)};
    std::vector<uint8_t> gray(24, 0);
    RecordingSink sink;
    CImgKernels context(&sink);
    ASSERT_EQ(1, context.Bitonal1To8Gray(bits, 12, 2, 2, palette, gray.data()));
    const std::vector<uint8_t> expected = {255, 10, 255, 10, 10, 255, 10, 255, 255, 255, 10, 10,
                                           10, 10, 10, 10, 255, 255, 255, 255, 10, 10, 255, 255};
    EXPECT_EQ(expected, gray);
    EXPECT_EQ((std::vector<double>{0.5}), sink.reports) << "row 0 sends no report";
    EXPECT_EQ(0, context.Bitonal1To8Gray(bits, 12, 2, 1, palette, gray.data()));
}

TEST(ColorKernels, ReplaceColorWithTolerance)
{
    const struct {
        uint32_t tolerance;
        bool others;
        uint8_t expected[6];
    } cases[] = {
        {0, false, {11, 21, 31, 9, 9, 9}},
        {3, false, {1, 2, 3, 9, 9, 9}},
        {2, false, {11, 21, 31, 9, 9, 9}},
        {3, true, {1, 2, 3, 7, 7, 7}},
    };
    for (const auto& c : cases) {
        uint8_t pixels[6] = {11, 21, 31, 9, 9, 9};
        CImgKernels context;
        ASSERT_EQ(1, context.ReplaceColor(pixels, 2, 1, RGB(10, 20, 30), RGB(1, 2, 3), c.tolerance, c.others,
                                          RGB(7, 7, 7)));
        EXPECT_TRUE(std::equal(pixels, pixels + 6, c.expected)) << c.tolerance;
    }
}

TEST(ColorKernels, InversionOfBytesBitsAndPalettes)
{
    std::vector<uint8_t> bytes = RandomBytes(7 * 3, 1);
    std::vector<uint8_t> bits = bytes;
    CImgKernels context;
    ASSERT_EQ(1, context.InvertBytes(bytes.data(), 7, 3));
    ASSERT_EQ(1, context.InvertBitonal(bits.data(), 7, 3));
    EXPECT_EQ(bytes, bits);
    EXPECT_EQ(uint8_t(255 - RandomBytes(1, 1)[0]), bytes[0]);

    uint32_t two[2] = {MakePaletteEntry(0, 0, 0), MakePaletteEntry(255, 255, 255)};
    ASSERT_EQ(1, context.InvertPalette(2, two));
    EXPECT_EQ(MakePaletteEntry(255, 255, 255), two[0]);
    uint32_t three[3] = {MakePaletteEntry(0, 0, 0, 7), MakePaletteEntry(10, 20, 30, 8), 0};
    ASSERT_EQ(1, context.InvertPalette(3, three));
    EXPECT_EQ(MakePaletteEntry(255, 255, 255, 7), three[0]);
    EXPECT_EQ(MakePaletteEntry(245, 235, 225, 8), three[1]);
    EXPECT_EQ(0, context.InvertPalette(0, three));
}

TEST(ColorKernels, DepthStepsAndCancel)
{
    const uint8_t indices[2] = {1, 0};
    const uint32_t palette[2] = {MakePaletteEntry(1, 2, 3), MakePaletteEntry(4, 5, 6)};
    uint8_t rgb[6] = {};
    uint8_t rgba[8] = {};
    CImgKernels context;
    ASSERT_EQ(1, context.Indexed8To24(indices, rgb, 2, 1, 2, palette));
    EXPECT_EQ((std::vector<uint8_t>{4, 5, 6, 1, 2, 3}), std::vector<uint8_t>(rgb, rgb + 6));
    ASSERT_EQ(1, context.Expand24To32(rgb, 2, 1, 99, rgba));
    EXPECT_EQ((std::vector<uint8_t>{4, 5, 6, 99, 1, 2, 3, 99}), std::vector<uint8_t>(rgba, rgba + 8));
    uint8_t back[6] = {};
    ASSERT_EQ(1, context.Reduce32To24(rgba, 2, 1, back));
    EXPECT_TRUE(std::equal(back, back + 6, rgb));

    RecordingSink sink(1);
    CImgKernels canceled(&sink);
    uint8_t pixel[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(0, canceled.AdjustHsv(pixel, 1, 2, 10, 10, 10));
    EXPECT_STREQ("Operation canceled!", canceled.GetErrorText().GetText());
    EXPECT_EQ(1, sink.ends);
}

}  // namespace
