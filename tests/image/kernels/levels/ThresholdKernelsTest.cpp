#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelTestSupport.h"
#include "image/support/ImageTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The threshold computed the slow way: the mean over the window cut to the
// image, by the number of pixels really in it.
Bytes BruteForceThreshold(const Bytes& source, int width, int height, int ww, int wh, int offset)
{
    Bytes target(source.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            int64_t sum = 0, count = 0;
            for (int v = std::max(0, y - wh / 2); v < std::min(height, y - wh / 2 + wh); ++v)
                for (int u = std::max(0, x - ww / 2); u < std::min(width, x - ww / 2 + ww); ++u, ++count)
                    sum += source[v * width + u];
            target[y * width + x] = source[y * width + x] < sum / count + offset ? 0 : 255;
        }
    return target;
}

}  // namespace

TEST(ThresholdKernels, EqualsTheMeanOfTheWindowCutToTheImage)
{
    struct Case {
        int width, height, ww, wh, offset;
    };
    const Case cases[] = {
        {3, 3, 3, 3, 0}, {17, 11, 3, 3, 0}, {17, 11, 4, 2, -5}, {16, 12, 5, 6, 7}, {9, 130, 1, 1, 0}, {20, 9, 20, 9, 3},
    };
    for (const Case& c : cases)
    {
        const Bytes source = ZAVTest::RandomBytes(c.width * c.height, c.width * 31 + c.ww);
        Bytes target(source.size(), 77);  // never a result
        ZAV::CImgKernels kernels;
        ASSERT_EQ(kernels.AdaptiveThreshold(source.data(), c.width, c.height, c.ww, c.wh, c.offset, target.data()), 1);
        EXPECT_EQ(target, BruteForceThreshold(source, c.width, c.height, c.ww, c.wh, c.offset))
            << c.width << "x" << c.height << " window " << c.ww << "x" << c.wh;
    }
}

TEST(ThresholdKernels, RefusedWindowsAndCancel)
{
    const Bytes source(16, 100);
    Bytes target(16);
    ZAV::CImgKernels kernels;
    struct Case {
        int ww, wh;
        const char* text;
    };
    const Case cases[] = {
        {0, 3, "Invalid Parameter!"}, {3, 0, "Invalid Parameter!"}, {-2, 3, "Invalid Parameter!"},
        {5, 3, "Threshold window too large!"}, {3, 5, "Threshold window too large!"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(kernels.AdaptiveThreshold(source.data(), 4, 4, c.ww, c.wh, 0, target.data()), 0);
        EXPECT_EQ(ZAVTest::ErrorText(kernels), c.text) << c.ww << "x" << c.wh;
    }
    EXPECT_EQ(kernels.AdaptiveThreshold(nullptr, 4, 4, 3, 3, 0, target.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");

    ZAVTest::CRecordingSink sink(1);
    ZAV::CImgKernels canceled(&sink);
    EXPECT_EQ(canceled.AdaptiveThreshold(source.data(), 4, 4, 3, 3, 0, target.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(canceled), "Operation canceled!");
    EXPECT_EQ(sink.endCalls, 1);
}

TEST(ThresholdKernels, BlackAndWhite)
{
    ZAV::CImgKernels kernels;
    Bytes colors = {255, 255, 255, 255, 255, 254, 0, 0, 0, 1, 2, 3};
    ASSERT_EQ(kernels.ConvertToBlackWhite(colors.data(), 2, 2, 1), 1);
    EXPECT_EQ(colors, (Bytes{255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    Bytes gray = {255, 254, 0, 128};
    ASSERT_EQ(kernels.ConvertToBlackWhite(gray.data(), 4, 1, 0), 1);
    EXPECT_EQ(gray, (Bytes{255, 0, 0, 0}));
    EXPECT_EQ(kernels.ConvertToBlackWhite(nullptr, 4, 1, 1), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}
