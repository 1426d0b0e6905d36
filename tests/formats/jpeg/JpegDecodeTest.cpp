// JPEG files made by cjpeg and Pillow decode to the pixels djpeg gives
// with the floating-point DCT, byte for byte; the file facts, truncated and
// empty data, CMYK and densities.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/jpeg/JPGDecoder.h"
#include "formats/jpeg/JpegTestFiles.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

std::string InfoText(CZAVImg& image, const char* key)
{
    return image.GetImageInfoList()->GetValue(key).GetAsText();
}

// A JPEG of the test picture made by cjpeg with the options.
std::string MakeWithCjpeg(const TempDir& dir, const std::string& name, int depth, const std::string& options)
{
    CZAVImg picture;
    FillJpegPicture(picture, 37, 23, depth);
    const std::string pnm = dir.File(name + ".pnm");
    const std::string jpeg = dir.File(name + ".jpg");
    WritePnm(picture, pnm);
    const RunResult made = ZAVTest::Run("cjpeg " + options + " -outfile " + ShellQuote(jpeg) + " " + ShellQuote(pnm));
    EXPECT_EQ(0, made.exitCode) << made.output;  // cjpeg of libjpeg-turbo-progs must be installed
    return jpeg;
}

// Our pixels of the file against djpeg's; djpeg may only warn.
void ExpectDjpegPixels(const TempDir& dir, const std::string& jpeg, int depth)
{
    const std::string decoded = jpeg + ".pnm";
    const int status = DecodeWithDjpeg(jpeg, decoded);
    ASSERT_TRUE(status == 0 || status == 2) << status;
    int width = 0;
    int height = 0;
    const std::vector<uint8_t> expected = PnmPixels(decoded, width, height);
    CZAVImg image;
    image.LoadFromFile(jpeg.c_str(), 4);
    EXPECT_EQ(depth, image.GetBitsPerPixel());
    EXPECT_EQ(width, image.GetWidth());
    EXPECT_EQ(height, image.GetHeight());
    EXPECT_EQ(expected, ImageRows(image));
    if (depth == 8) {
        EXPECT_TRUE(image.IsGrayScale());
    }
    (void)dir;
}

TEST(JpegDecode, PixelsEqualDjpegWithTheFloatDct)
{
    ASSERT_TRUE(HaveTool("cjpeg"));
    ASSERT_TRUE(HaveTool("djpeg"));
    const struct {
        const char* name;
        int depth;
        const char* options;
        int loadedDepth;
    } cases[] = {
        {"baseline", 24, "-quality 85", 24},       {"no subsampling", 24, "-sample 1x1", 24},
        {"progressive", 24, "-progressive", 24},   {"restarts", 24, "-restart 1", 24},
        {"arithmetic", 24, "-arithmetic", 24},     {"grey", 8, "-quality 90", 8},
        {"grey from colour", 24, "-grayscale", 8},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectDjpegPixels(dir, MakeWithCjpeg(dir, "made", c.depth, c.options), c.loadedDepth);
    }
}

TEST(JpegDecode, ATruncatedFileKeepsItsRowsAndAnEmptyOneFails)
{
    TempDir dir;
    const std::string whole = MakeWithCjpeg(dir, "whole", 24, "-quality 95");
    const std::vector<uint8_t> bytes = ReadBytes(whole);
    const std::string cut = dir.File("cut.jpg");
    WriteBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() * 6 / 10));
    ExpectDjpegPixels(dir, cut, 24);

    const std::string empty = dir.File("empty.jpg");
    WriteBytes(empty, {});
    CZAVImg image;
    CDataSource source;
    ASSERT_TRUE(source.OpenFile(empty.c_str()));
    EXPECT_EQ("Decoder error: Empty input file;", ThrownText([&] { CJPGDecoder().LoadPicture(&image, &source, 0); }));
    EXPECT_FALSE(image.HasImage());
}

TEST(JpegDecode, ReportsTheFileFacts)
{
    TempDir dir;
    const std::string jpeg = MakeWithCjpeg(dir, "facts", 24, "-quality 80");
    CZAVImg image;
    image.LoadFromFile(jpeg.c_str(), 4);
    EXPECT_EQ("JPEG (JPG)", InfoText(image, "TYPE"));
    EXPECT_EQ("RGB", InfoText(image, "SUBTYPE"));
    EXPECT_EQ(24, image.GetImageInfoList()->GetValue("COLORDEPTH").GetAsInt());
    EXPECT_EQ(3, image.GetImageInfoList()->GetValue("CHANNELS").GetAsInt());
    EXPECT_EQ(37, image.GetImageInfoList()->GetValue("WIDTH").GetAsInt());

    CDataSource source;
    ASSERT_TRUE(source.OpenFile(jpeg.c_str()));
    FilterImageInfo info{};
    EXPECT_EQ(1, CJPGDecoder().GetFileInfo(&image, &source, &info));
    EXPECT_EQ(37, info.width);
    EXPECT_EQ(23, info.height);
    EXPECT_EQ(24, info.bitsPerPixel);
    EXPECT_EQ(0, info.dpiX);

    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    CDataSource pngSource;
    ASSERT_TRUE(pngSource.OpenMemory(png.data(), png.size()));
    EXPECT_EQ(0, CJPGDecoder().IsFileFormat(&image, &pngSource));
}

// A frame header asking for more than the image may hold is refused
// before the picture or libjpeg's buffers are allocated.
TEST(JpegDecode, AFrameBeyondTheImageCeilingIsRefused)
{
    TempDir dir;
    std::vector<uint8_t> file = ReadBytes(MakeWithCjpeg(dir, "huge", 24, ""));
    const std::string text(file.begin(), file.end());
    const size_t frame = text.find("\xFF\xC0");
    ASSERT_NE(std::string::npos, frame);
    // Marker, length and precision; then height and width, big-endian.
    for (size_t at : {frame + 5, frame + 7}) {
        file[at] = 0xFF;
        file[at + 1] = 0xDC;
    }
    CZAVImg image;
    EXPECT_EQ("Decoder error: Invalid Size!",
              ThrownText([&] { image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 4); }));
    EXPECT_FALSE(image.HasImage());
}

// JFIF density: unit byte at 13, X and Y at 14 and 16 (big-endian).
TEST(JpegDecode, DensitiesSetTheResolution)
{
    TempDir dir;
    const std::vector<uint8_t> made = ReadBytes(MakeWithCjpeg(dir, "density", 8, ""));
    const struct {
        int unit;
        int density;
        const char* text;
        int dpi;
    } cases[] = {{2, 100, "100dots/cm", 254}, {1, 300, "300dots/inch", 300}, {0, 1, "1", CZAVImg().GetXResolution()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<uint8_t> file = made;
        ASSERT_EQ('J', file[6]);
        file[13] = static_cast<uint8_t>(c.unit);
        file[14] = file[16] = static_cast<uint8_t>(c.density >> 8);
        file[15] = file[17] = static_cast<uint8_t>(c.density & 0xFF);
        CZAVImg image;
        image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 4);
        EXPECT_EQ(c.text, InfoText(image, "DPIX"));
        EXPECT_EQ(c.text, InfoText(image, "DPIY"));
        EXPECT_EQ(c.dpi, image.GetXResolution());
        EXPECT_EQ(c.dpi, image.GetYResolution());
    }
}

// Pillow writes CMYK as Adobe does, inverted: each channel becomes C x K.
TEST(JpegDecode, CmykLoadsAsRgb)
{
    TempDir dir;
    const std::string path = dir.File("cmyk.jpg");
    const std::string script = dir.File("cmyk.py");
    WriteText(script, "import sys\nfrom PIL import Image\n"
                      "Image.new('CMYK', (24, 16), (40, 120, 200, 30)).save(sys.argv[1], quality=100)\n");
    const RunResult made = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(script) + " " + ShellQuote(path));
    ASSERT_EQ(0, made.exitCode) << made.output;
    CZAVImg image;
    image.LoadFromFile(path.c_str(), 4);
    EXPECT_EQ("C/M/Y/K", InfoText(image, "SUBTYPE"));
    EXPECT_EQ(4, image.GetImageInfoList()->GetValue("CHANNELS").GetAsInt());
    EXPECT_EQ(24, image.GetBitsPerPixel());
    const int expected[3] = {(255 - 40) * (255 - 30) / 255, (255 - 120) * (255 - 30) / 255,
                             (255 - 200) * (255 - 30) / 255};
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(expected[channel], image.GetLineArray()[8][12 * 3 + channel], 2) << channel;

    CDataSource source;
    ASSERT_TRUE(source.OpenFile(path.c_str()));
    FilterImageInfo info{};
    EXPECT_EQ("Decoder error: Decoding JPG: Illegal bpp value.",
              ThrownText([&] { CJPGDecoder().GetFileInfo(&image, &source, &info); }));
}

}  // namespace
