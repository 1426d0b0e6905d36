// The quantizers against djpeg, an independent implementation of the same
// published one-pass and two-pass algorithms: a picture goes through cjpeg,
// djpeg -ppm gives our input, and djpeg's own quantized output is the
// reference colour of every pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/quantize/Quantize.h"
#include "image/kernels/support/KernelTestImages.h"
#include "support/TestSupport.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

struct Reference {
    const char* djpegOptions;
    bool twoPass;
    int dither;
};

const Reference kColorReferences[] = {
    {"-onepass -dither none", false, 0},
    {"-onepass -dither ordered", false, 1},
    {"-onepass -dither fs", false, 2},
    {"-dither none", true, 0},
    {"-dither fs", true, 2},
};

class QuantizerReference : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(HaveTool("cjpeg"));
        ASSERT_TRUE(HaveTool("djpeg"));
    }

    // Codes the picture as JPEG (gray when asked) and decodes it plainly.
    RasterImage Decoded(const RasterImage& picture, bool gray)
    {
        WritePnm(m_dir.File("picture.ppm"), picture);
        const RunResult coded = ZAVTest::Run("cjpeg -quality 85 " + std::string(gray ? "-grayscale " : "") + "-outfile " +
                                    ShellQuote(m_dir.File("picture.jpg")) + " " +
                                    ShellQuote(m_dir.File("picture.ppm")));
        EXPECT_EQ(0, coded.exitCode) << coded.output;
        return Djpeg("-pnm");
    }

    RasterImage Djpeg(const std::string& options)
    {
        const std::string out = m_dir.File("out.pnm");
        const RunResult decoded =
            ZAVTest::Run("djpeg " + options + " -pnm -outfile " + ShellQuote(out) + " " + ShellQuote(m_dir.File("picture.jpg")));
        EXPECT_EQ(0, decoded.exitCode) << decoded.output;
        return ReadPnm(out);
    }

    TempDir m_dir;
};

// Our palette colour of every pixel, as the channels of the input.
std::vector<uint8_t> QuantizedColors(const RasterImage& input, const Reference& reference, int colors)
{
    CImgKernels context;
    std::vector<uint8_t> indices(static_cast<size_t>(input.width) * input.height);
    std::vector<uint32_t> palette(256, 0);
    int count = 0;
    const int bits = input.channels * 8;
    const int done = reference.twoPass
                         ? QuantizeTwoPass(context, input.pixels.data(), bits, indices.data(), 8, input.width,
                                           input.height, count, palette.data(), reference.dither, colors)
                         : QuantizeOnePass(context, input.pixels.data(), bits, indices.data(), 8, input.width,
                                           input.height, count, palette.data(), reference.dither, colors);
    EXPECT_EQ(1, done) << context.GetErrorText().GetText();
    EXPECT_LE(count, colors);
    std::vector<uint8_t> pixels;
    for (uint8_t index : indices) {
        EXPECT_LT(index, count);
        const uint32_t entry = palette[index];
        pixels.push_back(PaletteRed(entry));
        if (input.channels == 3) {
            pixels.push_back(PaletteGreen(entry));
            pixels.push_back(PaletteBlue(entry));
        }
    }
    return pixels;
}

size_t CountDifferences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    size_t differences = a.size() == b.size() ? 0 : a.size() + b.size();
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        differences += a[i] != b[i];
    return differences;
}

TEST_F(QuantizerReference, ColorPicturesMatchDjpegPixelForPixel)
{
    const RasterImage input = Decoded(TestPicture(97, 61, 7), false);
    ASSERT_EQ(3, input.channels);
    for (int colors : {8, 27, 256}) {
        for (const Reference& reference : kColorReferences) {
            const RasterImage expected =
                Djpeg("-colors " + std::to_string(colors) + " " + reference.djpegOptions);
            EXPECT_EQ(0u, CountDifferences(expected.pixels, QuantizedColors(input, reference, colors)))
                << colors << " colours, " << reference.djpegOptions;
        }
    }
}

TEST_F(QuantizerReference, GrayPicturesMatchDjpegThroughTheOnePassPath)
{
    const RasterImage input = Decoded(TestPicture(83, 45, 11), true);
    ASSERT_EQ(1, input.channels);
    for (int colors : {8, 27, 256}) {
        for (const Reference& reference : kColorReferences) {
            if (reference.twoPass)
                continue;
            const RasterImage expected =
                Djpeg("-colors " + std::to_string(colors) + " " + reference.djpegOptions);
            EXPECT_EQ(0u, CountDifferences(expected.pixels, QuantizedColors(input, reference, colors)))
                << colors << " gray levels, " << reference.djpegOptions;
        }
    }
}

}  // namespace
