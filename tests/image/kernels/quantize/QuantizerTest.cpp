#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/quantize/Quantize.h"
#include "image/kernels/quantize/QuantizerMessages.h"
#include "image/kernels/quantize/TwoPassQuantizer.h"
#include "image/kernels/support/KernelTestImages.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

using QuantizeFunction = int (*)(CImgKernels&, const BYTE*, int, BYTE*, int, int, int, int&, uint32_t*, int, int);

struct QuantizeRun {
    int result = 0;
    std::string text;
    int count = 0;
    std::vector<uint8_t> indices;
    std::vector<uint32_t> palette = std::vector<uint32_t>(256, 0xAB000000u);
};

QuantizeRun Quantize(QuantizeFunction function, const std::vector<uint8_t>& pixels, int bits, int width, int height,
                     int dither, int colors, ZAV::IProgressNotification* sink = nullptr)
{
    CImgKernels context(sink);
    QuantizeRun run;
    run.indices.assign(std::max<size_t>(static_cast<size_t>(width) * height, 1), 0);
    run.result = function(context, pixels.data(), bits, run.indices.data(), 8, width, height, run.count,
                          run.palette.data(), dither, colors);
    run.text = context.GetErrorText().GetText();
    return run;
}

// The two-pass palette holds the centres of 5/6/5-bit histogram cells, so
// colours at such centres come back exactly.
TEST(Quantizers, TwoColoursOfATwoColourImageComeBackExactly)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 30; ++i) {
        const bool first = (i * 7) % 3 == 0;
        pixels.insert(pixels.end(), {uint8_t(first ? 204 : 20), uint8_t(first ? 42 : 122), uint8_t(first ? 12 : 244)});
    }
    for (int dither : {0, 2}) {
        const QuantizeRun run = Quantize(QuantizeTwoPass, pixels, 24, 6, 5, dither, 2);
        ASSERT_EQ(1, run.result) << run.text;
        EXPECT_EQ(2, run.count);
        for (size_t i = 0; i < run.indices.size(); ++i) {
            const uint32_t entry = run.palette[run.indices[i]];
            EXPECT_EQ(pixels[i * 3], PaletteRed(entry));
            EXPECT_EQ(pixels[i * 3 + 1], PaletteGreen(entry));
            EXPECT_EQ(pixels[i * 3 + 2], PaletteBlue(entry));
            EXPECT_EQ(0xAB000000u, entry & 0xFF000000u) << "the caller's alpha stays";
        }
    }
}

TEST(Quantizers, RefusedRequestsGiveTheQuantizersTexts)
{
    const std::vector<uint8_t> pixels(4 * 3, 90);
    const struct {
        QuantizeFunction function;
        int bits;
        int colors;
        const char* text;
    } cases[] = {
        {QuantizeTwoPass, 24, 0, "Error 2-pass quantizer!Cannot quantize to fewer than 2 colors\n"},
        {QuantizeTwoPass, 24, 257, "Error 2-pass quantizer!Cannot quantize to more than 256 colors\n"},
        {QuantizeTwoPass, 8, 16, "2-pass quantizer only works in 3-component color space!"},
        {QuantizeOnePass, 24, 7, "Error 1-pass quantizer!Cannot quantize to fewer than 8 colors\n"},
        {QuantizeOnePass, 8, 1, "Error 1-pass quantizer!Cannot quantize to fewer than 2 colors\n"},
        {QuantizeOnePass, 24, 300, "Error 1-pass quantizer!Cannot quantize to more than 256 colors\n"},
    };
    for (const auto& c : cases) {
        const QuantizeRun run = Quantize(c.function, pixels, c.bits, 2, 2, 0, c.colors);
        EXPECT_EQ(0, run.result);
        EXPECT_EQ(c.text, run.text);
    }
}

// An empty picture has nothing to average: the two-pass palette is one
// black entry instead of a division by zero.
TEST(Quantizers, EmptyPictureGivesOneBlackColour)
{
    const std::vector<uint8_t> none(3, 0);
    const QuantizeRun run = Quantize(QuantizeTwoPass, none, 24, 0, 0, 2, 256);
    EXPECT_EQ(1, run.result) << run.text;
    EXPECT_EQ(1, run.count);
    EXPECT_EQ(0xAB000000u, run.palette[0]);
}

TEST(Quantizers, ErrorsCarryTheMessageCode)
{
    CTwoPassQuantizer quantizer;
    try {
        quantizer.Setup(0, 0, 4);
        ADD_FAILURE() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_EQ(kQuantizerFewColors, e.GetCode());
        EXPECT_EQ(62, e.GetCode());
    }
    EXPECT_STREQ("Bogus message code 5", FormatQuantizerMessage(5, 17).GetText());
    EXPECT_STREQ("Cannot quantize to more than 256 colors", FormatQuantizerMessage(63, 256).GetText());
}

TEST(Quantizers, CancelFailsAndLeavesTheSourceAlone)
{
    const RasterImage picture = TestPicture(20, 12, 3);
    for (QuantizeFunction function : {QuantizeOnePass, QuantizeTwoPass}) {
        const std::vector<uint8_t> before = picture.pixels;
        RecordingSink sink(3);
        const QuantizeRun run = Quantize(function, picture.pixels, 24, 20, 12, 2, 256, &sink);
        EXPECT_EQ(0, run.result);
        EXPECT_EQ("Operation canceled!", run.text);
        EXPECT_EQ(3u, sink.reports.size());
        EXPECT_EQ(1, sink.begins);
        EXPECT_EQ(1, sink.ends);
        EXPECT_EQ(before, picture.pixels);
    }
}

TEST(Quantizers, WithoutDitherEqualPixelsGetEqualIndices)
{
    // 600 pixels drawn from 40 colours, scattered.
    const std::vector<uint8_t> colors = RandomBytes(40 * 3, 9);
    const std::vector<uint8_t> picks = RandomBytes(600, 10);
    std::vector<uint8_t> pixels;
    for (uint8_t pick : picks)
        pixels.insert(pixels.end(), &colors[(pick % 40) * 3], &colors[(pick % 40) * 3 + 3]);
    for (QuantizeFunction function : {QuantizeOnePass, QuantizeTwoPass}) {
        const QuantizeRun run = Quantize(function, pixels, 24, 30, 20, 0, 16);
        ASSERT_EQ(1, run.result) << run.text;
        std::map<int, int> indexOfColor;
        for (size_t i = 0; i < picks.size(); ++i) {
            const auto known = indexOfColor.emplace(picks[i] % 40, run.indices[i]);
            EXPECT_EQ(known.first->second, run.indices[i]);
        }
    }
}

}  // namespace
