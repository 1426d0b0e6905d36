// The TIFF decoder against files libtiff writes in the test: each loads to
// the pixels Pillow reads.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTiffTest;

namespace {

constexpr uint32_t kWidth = 45;
constexpr uint32_t kHeight = 33;

// The source files every case is made from: grey, bilevel, RGB, 16-bit.
struct Sources {
    ZAVTest::TempDir dir;
    std::string grey, bilevel, rgb, rgb16, grey16;
    Sources()
    {
        grey = Write("grey.tif", 8, 1, PHOTOMETRIC_MINISBLACK, 1);
        bilevel = Write("bilevel.tif", 1, 1, PHOTOMETRIC_MINISWHITE, 2);
        rgb = Write("rgb.tif", 8, 3, PHOTOMETRIC_RGB, 3);
        rgb16 = Write("rgb16.tif", 16, 3, PHOTOMETRIC_RGB, 4);
        grey16 = Write("grey16.tif", 16, 1, PHOTOMETRIC_MINISBLACK, 5);
    }
    std::string Write(const char* name, uint16_t bits, uint16_t samples, int photometric, uint32_t seed)
    {
        TiffFile file;
        file.width = kWidth, file.height = kHeight, file.bits = bits, file.samples = samples;
        file.photometric = photometric;
        const size_t rowBytes = (size_t(kWidth) * bits * samples + 7) / 8;
        file.rows = PatternBytes(rowBytes * kHeight, seed);
        // Smooth rows compress like pictures and suit JPEG.
        if (bits == 8 && seed != 1)
            for (size_t i = 0; i < file.rows.size(); ++i)
                file.rows[i] = static_cast<uint8_t>((i % rowBytes) * 2 + (i / rowBytes) * 3);
        if (bits == 1)
            for (size_t i = 0; i < file.rows.size(); ++i)
                file.rows[i] = (i / rowBytes) % 5 == 0 ? 0xFF : ((i % rowBytes) % 2 ? 0x0F : 0);
        const std::string path = dir.File(name);
        WriteTiff(path, file);
        return path;
    }
};

struct CopyCase {
    const char* name;
    std::string Sources::*source;
    const char* tiffcpOptions;
    int highDynamicRange;
    int depth;  // the depth the image loads at
    int tolerance;
};

const CopyCase kCopyCases[] = {
    {"none", &Sources::grey, "-c none", 1, 8, 0},
    {"lzw", &Sources::grey, "-c lzw", 1, 8, 0},
    {"packbits", &Sources::rgb, "-c packbits", 1, 24, 0},
    {"deflate predictor 2", &Sources::rgb, "-c zip:2", 1, 24, 0},
    {"jpeg", &Sources::rgb, "-c jpeg:r", 1, 24, 2},
    {"g3 1-D", &Sources::bilevel, "-c g3:1d", 1, 1, 0},
    {"g3 2-D", &Sources::bilevel, "-c g3:2d", 1, 1, 0},
    {"g4", &Sources::bilevel, "-c g4", 1, 1, 0},
    {"planar", &Sources::rgb, "-p separate", 1, 24, 0},
    {"tiled", &Sources::rgb, "-t -w 16 -l 16", 1, 24, 0},
    {"16-bit rgb kept", &Sources::rgb16, "-c lzw", 1, 48, 0},
    {"16-bit rgb reduced", &Sources::rgb16, "-c lzw", 0, 24, 1},  // libtiff rounds, Pillow cuts
};

TEST(TiffDecoder, FilesLibtiffWritesLoadToPillowsPixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    Sources sources;
    for (const CopyCase& c : kCopyCases) {
        SCOPED_TRACE(c.name);
        const std::string path = sources.dir.File("copy.tif");
        const ZAVTest::RunResult copy =
            ZAVTest::Run(std::string("tiffcp ") + c.tiffcpOptions + " " + ZAVTest::ShellQuote(sources.*c.source) + " " +
                         ZAVTest::ShellQuote(path) + " 2>&1");
        ASSERT_EQ(copy.exitCode, 0) << copy.output;
        CZAVImg image;
        image.m_highDynamicRange = c.highDynamicRange;
        ASSERT_EQ(ZAVTest::ThrownText([&] { image.LoadFromFile(path.c_str(), 5); }), "(nothing thrown)")
            << (image.GetOwnImageInfo().HasKey("ERROR0") ? image.GetOwnImageInfo().GetValue("ERROR0").GetText() : "");
        EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
        EXPECT_LE(MaxDifference(ImageRgb(image), PillowPixels(path, 0)), c.tolerance);
        EXPECT_FALSE(image.GetOwnImageInfo().HasKey("ERROR0"));
    }
}

TEST(TiffDecoder, SixteenBitGreyFollowsTheHighDynamicRangeSwitch)
{
    Sources sources;
    const std::vector<uint8_t> pillow = PillowPixels(sources.grey16, 0, true);
    ASSERT_EQ(pillow.size(), size_t(kWidth) * kHeight * 2);
    CZAVImg kept;
    kept.LoadFromFile(sources.grey16.c_str(), 5);
    ASSERT_EQ(kept.GetBitsPerPixel(), 16);
    const BYTE* pixels = kept.GetLineArray()[0];
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + pillow.size()), pillow);

    CZAVImg reduced;
    reduced.m_highDynamicRange = 0;
    reduced.LoadFromFile(sources.grey16.c_str(), 5);
    ASSERT_EQ(reduced.GetBitsPerPixel(), 8);
    EXPECT_TRUE(reduced.IsGrayScale());
    const BYTE* bytes = reduced.GetLineArray()[0];
    for (size_t i = 0; i < pillow.size() / 2; ++i)
        ASSERT_EQ(bytes[i], pillow[2 * i + 1]) << i;
}

TEST(TiffDecoder, PalettesOfTwoFourAndEightBitsKeepTheirColours)
{
    ZAVTest::TempDir dir;
    for (uint16_t bits : {2, 4, 8}) {
        SCOPED_TRACE(bits);
        TiffFile file;
        file.width = 13, file.height = 5, file.bits = bits, file.photometric = PHOTOMETRIC_PALETTE;
        file.rows = PatternBytes((13 * bits + 7) / 8 * 5, bits);
        const size_t n = size_t(1) << bits;
        for (size_t i = 0; i < 3 * n; ++i)
            file.colorMap.push_back(static_cast<uint16_t>(((i * 37) % 256) * 257));
        const std::string path = dir.File("palette.tif");
        WriteTiff(path, file);
        CZAVImg image;
        image.LoadFromFile(path.c_str(), 5);
        ASSERT_EQ(image.GetBitsPerPixel(), 8);
        EXPECT_EQ(MaxDifference(ImageRgb(image), PillowPixels(path, 0)), 0);
    }
}

// Samples of 2 to 7 bits become one index a byte; the grey ramp steps by
// 255 / (2^bits - 1). The odd width makes the last sample share its byte.
TEST(TiffDecoder, NarrowSamplesExpandToOneIndexPerByte)
{
    ZAVTest::TempDir dir;
    for (uint16_t bits = 2; bits <= 7; ++bits) {
        SCOPED_TRACE(bits);
        const uint32_t width = 11, height = 3;
        std::vector<unsigned> samples;
        TiffFile file;
        file.width = width, file.height = height, file.bits = bits;
        const size_t rowBytes = (width * bits + 7) / 8;
        file.rows.assign(rowBytes * height, 0);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const unsigned value = (x * 5 + y * 3) % (1u << bits);
                samples.push_back(value);
                for (int b = 0; b < bits; ++b)
                    if (value >> (bits - 1 - b) & 1) {
                        const size_t bit = x * bits + b;
                        file.rows[y * rowBytes + bit / 8] |= static_cast<uint8_t>(0x80 >> (bit % 8));
                    }
            }
        const std::string path = dir.File("narrow.tif");
        WriteTiff(path, file);
        CZAVImg image;
        image.LoadFromFile(path.c_str(), 5);
        ASSERT_EQ(image.GetBitsPerPixel(), 8);
        const unsigned step = 255 / ((1u << bits) - 1);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const unsigned value = samples[y * width + x];
                ASSERT_EQ(image.GetPixel8(int(x), int(y)), value) << x << "," << y;
                uint32_t entry = 0;
                image.GetPalette().GetEntry(int(value), entry);
                ASSERT_EQ(PaletteRed(entry), value * step);
            }
    }
}

TEST(TiffDecoder, FaxWithoutPhotometricIsWhiteOnZero)
{
    ZAVTest::TempDir dir;
    TiffFile file;
    file.width = 16, file.height = 4, file.bits = 1, file.photometric = -1, file.compression = COMPRESSION_CCITTFAX4;
    file.rows = {0x00, 0xFF, 0x0F, 0xF0, 0x00, 0x00, 0xAA, 0x55};
    const std::string path = dir.File("fax.tif");
    WriteTiff(path, file);
    CZAVImg image;
    image.LoadFromFile(path.c_str(), 5);
    ASSERT_EQ(image.GetBitsPerPixel(), 1);
    EXPECT_TRUE(image.GetPalette().IsInverted());
    const BYTE* bits = image.GetLineArray()[0];
    EXPECT_EQ(std::vector<uint8_t>(bits, bits + 8), file.rows);
}

}  // namespace
