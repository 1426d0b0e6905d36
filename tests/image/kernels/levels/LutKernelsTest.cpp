#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelTestSupport.h"
#include "image/support/ImageTestSupport.h"
#include "image/kernels/levels/Samples16.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A table that adds one to every value (255 stays).
std::vector<BYTE> PlusOne()
{
    std::vector<BYTE> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<BYTE>(i < 255 ? i + 1 : 255);
    return table;
}

Bytes Samples16(const std::vector<uint16_t>& values)
{
    Bytes bytes(values.size() * 2);
    for (size_t i = 0; i < values.size(); ++i)
        ZAV::WriteSample16(&bytes[2 * i], values[i]);
    return bytes;
}

}  // namespace

TEST(LutKernels, ChannelMasksAndPasses)
{
    const std::vector<BYTE> table = PlusOne();
    struct Case {
        int mask;
        Bytes expected;
        int reports;  // one pass per channel, each reporting after row 0 and row 100
    };
    const Case cases[] = {
        {1, {11, 20, 30}, 2}, {2, {10, 21, 30}, 2}, {4, {10, 20, 31}, 2},
        {5, {11, 20, 31}, 4}, {7, {11, 21, 31}, 2}, {15, {11, 21, 31}, 2},
    };
    for (const Case& c : cases)
    {
        Bytes pixels;
        for (int i = 0; i < 101; ++i)
            pixels.insert(pixels.end(), {10, 20, 30});
        ZAVTest::CRecordingSink sink;
        ZAV::CImgKernels kernels(&sink);
        ASSERT_EQ(kernels.ApplyLut24(pixels.data(), 1, 101, c.mask, table.data()), 1);
        EXPECT_EQ(Bytes(pixels.end() - 3, pixels.end()), c.expected) << c.mask;
        EXPECT_EQ(sink.progressCalls, c.reports) << c.mask;
        EXPECT_EQ(sink.beginCalls + sink.endCalls, 2);
    }
    Bytes pixels(3);
    ZAV::CImgKernels kernels;
    EXPECT_EQ(kernels.ApplyLut24(pixels.data(), 1, 1, 0, table.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.ApplyLut24(pixels.data(), 1, 1, 7, nullptr), 0);
}

TEST(LutKernels, SixteenBitAndPaletteTables)
{
    std::vector<uint16_t> invert(65536);
    for (int i = 0; i < 65536; ++i)
        invert[i] = static_cast<uint16_t>(65535 - i);
    ZAV::CImgKernels kernels;
    Bytes deep = Samples16({0, 1000, 65535});
    ASSERT_EQ(kernels.ApplyLut48(deep.data(), 1, 1, 2, invert.data()), 1);
    EXPECT_EQ(deep, Samples16({0, 64535, 65535}));
    ASSERT_EQ(kernels.ApplyLut16(deep.data(), 3, 1, invert.data()), 1);
    EXPECT_EQ(deep, Samples16({65535, 1000, 0}));

    // Entries are blue, green, red, alpha: mask 1 (red) maps byte 2.
    uint32_t entries[2] = {0x01020304, 0xFF0A0B0C};
    const std::vector<BYTE> table = PlusOne();
    ASSERT_EQ(kernels.ApplyLutPalette(entries, 2, 1, table.data()), 1);
    EXPECT_EQ(entries[0], 0x01030304u);
    EXPECT_EQ(entries[1], 0xFF0B0B0Cu);
    ASSERT_EQ(kernels.ApplyLutPalette(entries, 2, 7, table.data()), 1);
    EXPECT_EQ(entries[0], 0x01040405u);  // alpha untouched
    EXPECT_EQ(kernels.ApplyLutPalette(entries, 0, 7, table.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}

TEST(LutKernels, StretchesAndAutomaticLevels)
{
    ZAV::CImgKernels kernels;
    Bytes gray = {0, 49, 50, 75, 100, 200};
    ASSERT_EQ(kernels.Stretch8(gray.data(), 6, 1, 50, 100), 1);
    EXPECT_EQ(gray, (Bytes{0, 0, 0, 127, 255, 255}));

    std::vector<uint16_t> values(65536);
    std::iota(values.begin(), values.end(), 0);
    Bytes deep = Samples16(values);
    ASSERT_EQ(kernels.Stretch16(deep.data(), 256, 256, 0, 65535), 1);
    EXPECT_EQ(deep, Samples16(values));
    ASSERT_EQ(kernels.Stretch48(deep.data(), 256, 85, 0, 65535), 1);
    EXPECT_EQ(deep, Samples16(values));

    Bytes sevens(100, 7);  // low 7, high 7: no range, nothing changes
    ASSERT_EQ(kernels.AutoLevels8(sevens.data(), 10, 10, 1, 1), 1);
    EXPECT_EQ(sevens, Bytes(100, 7));

    Bytes flatBlue = {10, 20, 30, 110, 120, 30};  // blue has no range
    ASSERT_EQ(kernels.AutoLevels24(flatBlue.data(), 2, 1, 0, 0), 1);
    EXPECT_EQ(flatBlue, (Bytes{10, 20, 30, 110, 120, 30}));

    Bytes colors = {10, 20, 30, 110, 120, 130};
    ASSERT_EQ(kernels.AutoLevels24(colors.data(), 2, 1, 0, 0), 1);
    EXPECT_EQ(colors, (Bytes{0, 0, 0, 255, 255, 255}));

    Bytes contrast = {10, 20, 30, 110, 120, 130};  // luminance levels 18 and 118
    ASSERT_EQ(kernels.AutoContrast24(contrast.data(), 2, 1, 0, 0), 1);
    EXPECT_EQ(contrast, (Bytes{0, 5, 30, 234, 255, 255}));

    Bytes deepColors = Samples16({1000, 2000, 3000, 3000, 4000, 5000});
    ASSERT_EQ(kernels.AutoLevels48(deepColors.data(), 2, 1, 0, 500), 1);  // all clipped at the top: no level
    EXPECT_EQ(deepColors, Samples16({1000, 2000, 3000, 3000, 4000, 5000}));
    ASSERT_EQ(kernels.AutoLevels48(deepColors.data(), 2, 1, -5, 0), 1);
    EXPECT_EQ(deepColors, Samples16({0, 0, 0, 65535, 65535, 65535}));
    EXPECT_EQ(kernels.AutoLevels24(nullptr, 2, 1, 0, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.AutoLevels24(nullptr, 0, 1, 0, 0), 1);
}

TEST(LutKernels, CancelFails)
{
    Bytes pixels(3 * 4 * 4, 9);
    ZAVTest::CRecordingSink sink(1);
    ZAV::CImgKernels kernels(&sink);
    const std::vector<BYTE> table = PlusOne();
    EXPECT_EQ(kernels.ApplyLut24(pixels.data(), 4, 4, 7, table.data()), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Operation canceled!");
    EXPECT_EQ(sink.endCalls, 1);

    pixels.assign(pixels.size(), 9);
    ZAVTest::CRecordingSink later(1);
    ZAV::CImgKernels passes(&later);
    EXPECT_EQ(passes.ApplyLut24(pixels.data(), 4, 4, 5, table.data()), 0);  // the blue pass never runs
    EXPECT_EQ(later.progressCalls, 1);
    EXPECT_EQ(pixels[0], 10);  // row 0 of the red pass was done
    EXPECT_EQ(pixels[2], 9);
}
