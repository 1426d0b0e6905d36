// The HDR reduction against a double of the advanced image-processing
// object: Scale shifts the samples up, HDRScaleDown keeps each sample's
// high byte. It records the calls and the samples it was handed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/hdr/HdrProcessor.h"
#include "image/hdr/HistogramSet.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

struct DoubleLog {
    std::vector<std::string> calls;
    std::vector<uint16_t> samplesAtScaleDown;
    bool failScaleDown = false;
};
DoubleLog g_log;

class CShiftingProcessor : public IHdrProcessor {
public:
    void AttachNoFree(void* pixels, int64_t size, int, int, int bitsPerPixel) override
    {
        m_pixels = static_cast<BYTE*>(pixels);
        m_size = size;
        g_log.calls.push_back("attach " + std::to_string(bitsPerPixel));
    }
    void Scale(int red, int green, int blue, int flag) override
    {
        g_log.calls.push_back("scale " + std::to_string(red) + std::to_string(green) + std::to_string(blue) +
                              std::to_string(flag));
        for (int64_t i = 0; i + 1 < m_size; i += 2) {
            const unsigned v = static_cast<unsigned>(m_pixels[i] | (m_pixels[i + 1] << 8)) << red;
            m_pixels[i] = static_cast<BYTE>(v);
            m_pixels[i + 1] = static_cast<BYTE>(v >> 8);
        }
    }
    void HDRScaleDown(IHdrProcessor& source) override
    {
        g_log.calls.push_back("scale down");
        if (g_log.failScaleDown)
            ThrowTextException(" out of range");
        const CShiftingProcessor& from = static_cast<CShiftingProcessor&>(source);
        g_log.samplesAtScaleDown.clear();
        for (int64_t i = 0; i < m_size; ++i) {
            const uint16_t sample = static_cast<uint16_t>(from.m_pixels[2 * i] | (from.m_pixels[2 * i + 1] << 8));
            g_log.samplesAtScaleDown.push_back(sample);
            m_pixels[i] = static_cast<BYTE>(sample >> 8);
        }
    }

private:
    BYTE* m_pixels = nullptr;
    int64_t m_size = 0;
};

std::unique_ptr<IHdrProcessor> MakeShifting()
{
    return std::make_unique<CShiftingProcessor>();
}

class HdrOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = DoubleLog();
        SetHdrProcessorFactory(&MakeShifting);
    }
    void TearDown() override { SetHdrProcessorFactory(nullptr); }
};

void MakeSamples(CZAVImg& image, int width, int height, int depth, const std::vector<uint16_t>& samples)
{
    ASSERT_EQ(1, image.Create(width, height, depth));
    BYTE* bits = static_cast<BYTE*>(image.GetImageData());
    ASSERT_EQ(static_cast<size_t>(image.GetImageSize()), samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        bits[2 * i] = static_cast<BYTE>(samples[i]);
        bits[2 * i + 1] = static_cast<BYTE>(samples[i] >> 8);
    }
}

std::vector<BYTE> Pixels(const CZAVImg& image)
{
    const BYTE* bits = static_cast<const BYTE*>(image.GetImageData());
    return std::vector<BYTE>(bits, bits + image.GetImageSize());
}

}  // namespace

TEST_F(HdrOperations, ScaleHdrShiftsThenReducesIntoGray)
{
    CZAVImg image;
    MakeSamples(image, 4, 1, 16, {0, 0x0FFF, 0x0800, 0x0123});
    image.ScaleHdr(12);
    const std::vector<std::string> calls = {"attach 16", "scale 4441", "attach 8", "scale down"};
    EXPECT_EQ(calls, g_log.calls);
    EXPECT_EQ(8, image.GetBitsPerPixel());
    EXPECT_EQ((std::vector<BYTE>{0x00, 0xFF, 0x80, 0x12}), Pixels(image));
    EXPECT_TRUE(image.IsGrayScale());
}

TEST_F(HdrOperations, RefusalsAndFailuresLeaveThePixels)
{
    CZAVImg image;
    MakeSamples(image, 2, 1, 16, {100, 200});
    const std::vector<BYTE> before = Pixels(image);
    const char* bitsText = "Invalid BitsPerSample value! BitsPerSample ranges from 1 to 16.";
    EXPECT_EQ(bitsText, ThrownText([&] { image.ScaleHdr(0); }));
    EXPECT_EQ(bitsText, ThrownText([&] { image.ScaleHdr(17); }));
    EXPECT_TRUE(g_log.calls.empty());
    g_log.failScaleDown = true;
    EXPECT_EQ("Error in scaling down! out of range", ThrownText([&] { image.ScaleHdr(8); }));
    EXPECT_EQ(16, image.GetBitsPerPixel());
    EXPECT_EQ(before, Pixels(image));
    SetHdrProcessorFactory(nullptr);
    EXPECT_EQ("Error in scaling down!Error initializing AdvancedImgProc dll!", ThrownText([&] { image.ScaleHdr(8); }));
    EXPECT_EQ(before, Pixels(image));
}

TEST_F(HdrOperations, DepthTexts)
{
    const char* notHdr = "Requires High Dynamic Range (HDR) imagedata!";
    for (int depth : {8, 24}) {
        CZAVImg image;
        ASSERT_EQ(1, image.Create(2, 2, depth));
        EXPECT_EQ(notHdr, ThrownText([&] { image.ScaleHdr(16); })) << depth;
        EXPECT_EQ(notHdr, ThrownText([&] { image.ScaleHdrToRange(0, 10); })) << depth;
        EXPECT_EQ(notHdr, ThrownText([&] { image.AutoScaleHdr(); })) << depth;
    }
    CZAVImg bitonal;
    ASSERT_EQ(1, bitonal.Create(8, 1, 1));
    EXPECT_EQ("Requires 8bpp or 24bpp Image!", ThrownText([&] { bitonal.AutoScaleHdr(); }));
}

// Luminances 1,000..5,000: all three channels are stretched from that range
// to the full one before the reduction; a single channel below it becomes
// 0 and one above it 65,535.
TEST_F(HdrOperations, AutoScaleHdrStretchesEveryChannelByTheLuminanceRange)
{
    CZAVImg image;
    MakeSamples(image, 3, 1, 48,
                {1000, 1000, 1000,   // luminance 1,000
                 5000, 5000, 5000,   // luminance 5,000
                 900, 5100, 1000});  // luminance trunc(0.299 * 900 + 0.587 * 5100 + 0.114 * 1000) = 3,376
    image.AutoScaleHdr();
    ASSERT_EQ(9u, g_log.samplesAtScaleDown.size());
    const std::vector<uint16_t>& s = g_log.samplesAtScaleDown;
    EXPECT_EQ(0, s[0]);
    EXPECT_EQ(65535, s[3]);
    EXPECT_EQ(0, s[6]);
    EXPECT_EQ(65535, s[7]);
    EXPECT_EQ(0, s[8]);
    EXPECT_EQ(24, image.GetBitsPerPixel());
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 255, 255, 255, 0, 255, 0}), Pixels(image));
}

TEST_F(HdrOperations, AutoScaleHdrWithoutARangeOnlyReduces)
{
    // One used value: first and last are equal, so nothing is stretched.
    CZAVImg image;
    MakeSamples(image, 2, 2, 16, {0x0700, 0x0700, 0x0700, 0x0700});
    image.AutoScaleHdr();
    EXPECT_EQ(std::vector<uint16_t>(4, 0x0700), g_log.samplesAtScaleDown);
    EXPECT_EQ(std::vector<BYTE>(4, 7), Pixels(image));

    // The extent of counts that are all zero stretches nothing either.
    CZAVImg ramp;
    MakeSamples(ramp, 3, 1, 16, {0x0100, 0x8000, 0xFF00});
    ramp.ScaleHdrToRange(kHistogramNoFirst, -1);
    EXPECT_EQ((std::vector<uint16_t>{0x0100, 0x8000, 0xFF00}), g_log.samplesAtScaleDown);
    EXPECT_EQ((std::vector<BYTE>{1, 0x80, 0xFF}), Pixels(ramp));
}

TEST(HistogramExtent, Table)
{
    std::vector<int32_t> zeros(65536, 0);
    std::vector<int32_t> seven(65536, 0);
    seven[7] = 3;
    std::vector<int32_t> spread(256, 0);
    spread[3] = spread[200] = 1;
    const struct {
        const int32_t* counts;
        int32_t entries;
        int32_t first;
        int32_t last;
    } cases[] = {
        {nullptr, 10, -1, -1},        {zeros.data(), 65536, 99999999, -1}, {seven.data(), 65536, 7, 7},
        {spread.data(), 256, 3, 200}, {spread.data(), 0, 99999999, -1},    {spread.data(), -5, 99999999, -1},
    };
    for (const auto& c : cases) {
        int32_t first = 0;
        int32_t last = 0;
        FindHistogramExtent(c.counts, c.entries, first, last);
        EXPECT_EQ(c.first, first);
        EXPECT_EQ(c.last, last);
    }
}

TEST(HistogramExtent, SetTakesTheFirstArray)
{
    std::vector<uint32_t> gray(256, 0), red(256, 0), green(256, 0), blue(256, 0);
    gray[40] = 1;
    red[1] = 1;
    blue[250] = 1;
    const CHistogramSet set(gray, red, green, blue, 256);
    int32_t first = 0;
    int32_t last = 0;
    set.GetExtent(first, last);
    EXPECT_EQ(40, first);
    EXPECT_EQ(40, last);
    EXPECT_EQ(1, set.GetCounts(1).GetData()[1]);
}
