#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelTestSupport.h"
#include "image/kernels/levels/Samples16.h"

namespace {

using Counts = std::vector<uint32_t>;

std::string PillowHistogram(const char* mode, int width, int height, const std::vector<uint8_t>& pixels)
{
    return "from PIL import Image\nimage = Image.frombytes('" + std::string(mode) + "', (" + std::to_string(width) +
           ", " + std::to_string(height) + "), " + ZAVTest::PythonBytes(pixels) + ")\nprint(*image.histogram())\n";
}

std::vector<double> AsDoubles(const Counts& counts)
{
    return std::vector<double>(counts.begin(), counts.end());
}

}  // namespace

TEST(HistogramKernels, CountsEqualPillows)
{
    const int width = 37, height = 23;
    ZAV::CImgKernels kernels;

    const std::vector<uint8_t> gray = ZAVTest::RandomBytes(width * height, 1);
    Counts counts(256, 99);
    ASSERT_EQ(kernels.Histogram8(gray.data(), width, height, counts.data()), 1);
    EXPECT_EQ(AsDoubles(counts), ZAVTest::PythonNumbers(PillowHistogram("L", width, height, gray)));

    const std::vector<uint8_t> rgb = ZAVTest::RandomBytes(width * height * 3, 2);
    Counts all(256), red(256, 5), green(256), blue(256);
    ASSERT_EQ(kernels.Histogram24(rgb.data(), width, height, all.data(), red.data(), green.data(), blue.data(), 0), 1);
    Counts channels = red;
    channels.insert(channels.end(), green.begin(), green.end());
    channels.insert(channels.end(), blue.begin(), blue.end());
    EXPECT_EQ(AsDoubles(channels), ZAVTest::PythonNumbers(PillowHistogram("RGB", width, height, rgb)));
}

TEST(HistogramKernels, GrayOfAColourPixel)
{
    // (10, 20, 30): the average 19.98 counts as 19, the luminance 18.15 as 18.
    const std::vector<uint8_t> pixels = {10, 20, 30, 10, 20, 30};
    ZAV::CImgKernels kernels;
    for (int luminance : {0, 1})
    {
        Counts gray(256), red(256), green(256), blue(256);
        ASSERT_EQ(kernels.Histogram24(pixels.data(), 2, 1, gray.data(), red.data(), green.data(), blue.data(),
                                      luminance),
                  1);
        EXPECT_EQ(gray[luminance ? 18 : 19], 2u);
        EXPECT_EQ(red[10] + green[20] + blue[30], 6u);
    }

    std::vector<uint8_t> deep(6);  // 16-bit samples (1000, 2000, 65535)
    ZAV::WriteSample16(&deep[0], 1000);
    ZAV::WriteSample16(&deep[2], 2000);
    ZAV::WriteSample16(&deep[4], 65535);
    Counts gray(65536), red(65536), green(65536), blue(65536);
    ASSERT_EQ(kernels.Histogram48(deep.data(), 1, 1, gray.data(), red.data(), green.data(), blue.data(), 1), 1);
    EXPECT_EQ(red[1000] + green[2000] + blue[65535], 3u);
    EXPECT_EQ(gray[static_cast<int>(0.299 * 1000 + 0.587 * 2000 + 0.114 * 65535)], 1u);
    Counts values(65536);
    ASSERT_EQ(kernels.Histogram16(deep.data(), 3, 1, values.data()), 1);
    EXPECT_EQ(values[1000] + values[2000] + values[65535], 3u);

    EXPECT_EQ(kernels.Histogram24(pixels.data(), 2, 1, gray.data(), nullptr, green.data(), blue.data(), 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.Histogram8(nullptr, 2, 1, values.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}
