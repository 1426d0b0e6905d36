#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelTestSupport.h"
#include "image/kernels/levels/Samples16.h"
#include "image/kernels/tone/Contour.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Ramp()
{
    Bytes values(256);
    std::iota(values.begin(), values.end(), 0);
    return values;
}

// The darken blend: the smaller of the two values.
std::vector<BYTE> DarkenTable()
{
    std::vector<BYTE> table(65536);
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            table[a * 256 + b] = static_cast<BYTE>(std::min(a, b));
    return table;
}

}  // namespace

TEST(ToneKernels, BrightnessAndContrastOnEveryDepth)
{
    ZAV::CImgKernels kernels;
    Bytes gray = Ramp();
    ASSERT_EQ(kernels.BrightnessContrast8(gray.data(), 16, 16, 0, 0), 1);
    EXPECT_EQ(gray, Ramp());
    ASSERT_EQ(kernels.BrightnessContrast8(gray.data(), 16, 16, 0.5, 0), 1);
    EXPECT_EQ(gray[0], 127);
    EXPECT_EQ(gray[191], 255);
    EXPECT_EQ(gray[255], 255);

    Bytes colors = {0, 100, 255};
    ASSERT_EQ(kernels.BrightnessContrast24(colors.data(), 1, 1, 0, 1), 1);  // a threshold at 127
    EXPECT_EQ(colors, (Bytes{0, 0, 255}));

    Bytes deep(6);
    ZAV::WriteSample16(&deep[0], 32766);
    ZAV::WriteSample16(&deep[2], 32767);
    ZAV::WriteSample16(&deep[4], 7);
    Bytes deep16 = deep;
    ASSERT_EQ(kernels.BrightnessContrast48(deep.data(), 1, 1, 0, 1), 1);
    EXPECT_EQ(ZAV::ReadSample16(&deep[0]), 0);
    EXPECT_EQ(ZAV::ReadSample16(&deep[2]), 65535);
    ASSERT_EQ(kernels.BrightnessContrast16(deep16.data(), 3, 1, -1, 0), 1);
    EXPECT_EQ(deep16, Bytes(6, 0));

    uint32_t entries[1] = {0x80000010};  // blue 16, alpha 128
    ASSERT_EQ(kernels.BrightnessContrastPalette(entries, 1, 1, 0), 1);
    EXPECT_EQ(entries[0], 0x80FFFFFFu);

    EXPECT_EQ(kernels.BrightnessContrast8(gray.data(), 0, 16, 0, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.BrightnessContrast24(nullptr, 1, 1, 0, 0), 0);
    EXPECT_EQ(kernels.BrightnessContrastPalette(entries, 0, 0, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}

TEST(ToneKernels, ColorLayers)
{
    std::vector<int> identity(256);
    std::iota(identity.begin(), identity.end(), 0);
    std::vector<int> wild(256, 400);  // beyond 255: limited in the kernel's copy only
    wild[0] = -20;
    const std::vector<int> wildBefore = wild;
    const Bytes pixels = {10, 20, 30, 255, 255, 255, 0, 0, 0, 200, 100, 50};
    ZAV::CImgKernels kernels;

    Bytes black = pixels;
    ASSERT_EQ(kernels.AdjustColors(black.data(), 2, 2, identity.data(), RGB(0, 0, 0), nullptr, 0, wild.data(),
                                   RGB(0, 0, 0), nullptr, 0),
              1);
    for (size_t i = 0; i < pixels.size(); i += 3)
    {
        const int gray = static_cast<int>(0.299 * pixels[i] + 0.587 * pixels[i + 1] + 0.114 * pixels[i + 2]);
        // The layer after the null one is not used.
        EXPECT_EQ(Bytes(black.begin() + i, black.begin() + i + 3), Bytes(3, static_cast<uint8_t>(255 - gray)));
    }
    Bytes white = pixels;
    ASSERT_EQ(kernels.AdjustColors(white.data(), 2, 2, identity.data(), RGB(255, 255, 255), wild.data(),
                                   RGB(255, 255, 255), nullptr, 0, nullptr, 0),
              1);
    EXPECT_EQ(white, Bytes(pixels.size(), 255));
    Bytes red = pixels;  // a full red ink everywhere takes green and blue away
    ASSERT_EQ(kernels.AdjustColors(red.data(), 4, 1, wild.data(), RGB(255, 0, 0), nullptr, 0, nullptr, 0, nullptr, 0),
              1);
    EXPECT_EQ(Bytes(red.begin(), red.begin() + 6), (Bytes{255, 0, 0, 255, 0, 0}));
    EXPECT_EQ(wild, wildBefore);
    EXPECT_EQ(kernels.AdjustColors(nullptr, 1, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}

TEST(ToneKernels, ContourImages)
{
    const std::vector<BYTE> darken = DarkenTable();
    const BYTE profile[] = {200, 150, 100, 50};
    // A 7 x 5 source with one white pixel in the middle.
    Bytes source(35, 0);
    source[2 * 7 + 3] = 255;
    ZAV::CImgKernels kernels;

    Bytes target(35, 9);
    ASSERT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 1, profile, 4, darken.data(), target.data()), 1);
    Bytes expected(35, 0);
    expected[2 * 7 + 3] = 200;
    EXPECT_EQ(target, expected);

    ASSERT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 2, profile, 4, darken.data(), target.data()), 1);
    // Size 2: a 3 x 3 brush of distances 0 and 1, the profile resampled to
    // bytes 0 and 2.
    expected.assign(35, 0);
    for (int y = 1; y <= 3; ++y)
        for (int x = 2; x <= 4; ++x)
            expected[y * 7 + x] = (x == 3 && y == 2) ? 200 : 100;
    EXPECT_EQ(target, expected);

    Bytes untouched(35, 9);  // a brush of 2 x 4 - 1 = 7 is taller than the image
    ASSERT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 4, profile, 4, darken.data(), untouched.data()), 1);
    EXPECT_EQ(untouched, Bytes(35, 9));

    for (int size : {0, 255, -1})
    {
        EXPECT_EQ(kernels.CreateContourImage(source.data(), 7, 5, size, profile, 4, darken.data(), target.data()), 0);
        EXPECT_EQ(ZAVTest::ErrorText(kernels), "Parameter 'Size' ranges from 1 to 254!");
    }
    // A missing table or an empty profile would be read out of bounds.
    EXPECT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 1, nullptr, 4, darken.data(), target.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 1, profile, 0, darken.data(), target.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.CreateContourImage(source.data(), 7, 5, 1, profile, 4, nullptr, target.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    const BYTE ramp[] = {10, 20, 30};
    std::vector<BYTE> brush;
    int brushWidth = 0, brushHeight = 0;
    ASSERT_EQ(kernels.BuildDistanceBrush(ramp, 3, brush, brushWidth, brushHeight), 1);
    EXPECT_EQ(brushWidth, 5);
    EXPECT_EQ(brushHeight, 5);
    EXPECT_EQ(Bytes(brush.begin() + 5, brush.begin() + 10), (Bytes{30, 20, 20, 20, 30}));  // row 1: distances of about 2.2, 1.4, 1, 1.4, 2.2
    EXPECT_EQ(Bytes(brush.begin() + 10, brush.begin() + 15), (Bytes{30, 20, 10, 20, 30}));  // centre row
    EXPECT_EQ(ZAV::PointDistance(3, 4), 5);
    EXPECT_EQ(ZAV::PointDistance(-1, 1), 1);
}
