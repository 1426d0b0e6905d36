// JPEG files the encoder writes are the files cjpeg makes with the same
// settings (floating-point DCT), past the JFIF segment, which holds the
// image's resolution; djpeg decodes them. Wrong depths are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/jpeg/JpegTestFiles.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

// SOI and the 18-byte APP0 (JFIF) segment come first in both files.
constexpr size_t kAfterJfif = 2 + 18;

TEST(JpegSave, WritesWhatCjpegWritesWithTheSameSettings)
{
    ASSERT_TRUE(HaveTool("cjpeg"));
    ASSERT_TRUE(HaveTool("djpeg"));
    const struct {
        const char* name;
        int depth;
        int quality;
        int progressive;
        const char* cjpegOptions;
    } cases[] = {
        {"default", 24, 60, 0, "-quality 60"},
        {"progressive", 24, 80, 1, "-quality 80 -progressive"},
        {"greyscale", 8, 60, 0, "-quality 60"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillJpegPicture(image, 45, 27, c.depth);
        image.SetResolution(150, 75, kResolutionUnitInch);
        image.m_prepareBeforeSave = 0;
        image.m_jpegQuality = c.quality;
        image.m_jpegOptionA = c.progressive;
        image.m_jpegGray = c.depth == 8;
        const std::string ours = dir.File("ours.jpg");
        int64_t bytes = 0;
        image.SaveToFile(ours.c_str(), 4, &bytes);

        const std::string pnm = dir.File("picture.pnm");
        const std::string theirs = dir.File("theirs.jpg");
        WritePnm(image, pnm);
        const RunResult made = ZAVTest::Run("cjpeg -dct float " + std::string(c.cjpegOptions) + " -outfile " +
                                            ShellQuote(theirs) + " " + ShellQuote(pnm));
        ASSERT_EQ(0, made.exitCode) << made.output;
        const std::vector<uint8_t> ourBytes = ReadBytes(ours);
        const std::vector<uint8_t> theirBytes = ReadBytes(theirs);
        EXPECT_EQ(static_cast<int64_t>(ourBytes.size()), bytes);
        ASSERT_GT(ourBytes.size(), kAfterJfif);
        EXPECT_EQ(std::vector<uint8_t>(theirBytes.begin() + kAfterJfif, theirBytes.end()),
                  std::vector<uint8_t>(ourBytes.begin() + kAfterJfif, ourBytes.end()));
        // Density in dots per inch: unit, X, Y.
        EXPECT_EQ(1, ourBytes[13]);
        EXPECT_EQ(150, ourBytes[14] * 256 + ourBytes[15]);
        EXPECT_EQ(75, ourBytes[16] * 256 + ourBytes[17]);
        EXPECT_EQ(0, DecodeWithDjpeg(ours, dir.File("ours.pnm")));
    }
}

TEST(JpegSave, RefusesDepthsTheOptionsDoNotTake)
{
    TempDir dir;
    const std::string path = dir.File("refused.jpg");
    const struct {
        int depth;
        int gray;
        const char* text;
    } cases[] = {
        {24, 1, "Decoder error: Encoding JPG: Illegal bpp value. Require 8bit image to export grayscale JPEG; "},
        {8, 0, "Decoder error: Encoding JPG: Illegal bpp value.; "},
        {32, 0, "Decoder error: Encoding JPG: Illegal bpp value.; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        CZAVImg image;
        FillJpegPicture(image, 8, 8, c.depth);
        image.m_prepareBeforeSave = 0;
        image.m_jpegGray = c.gray;
        EXPECT_EQ(c.text, ThrownText([&] { image.SaveToFile(path.c_str(), 4, nullptr); }));
        EXPECT_FALSE(FileExists(path));
    }
}

// A memory block too small for the file: libjpeg's write error comes back
// as the codec's failure, not a crash through libjpeg.
TEST(JpegSave, AFullTargetFailsWithLibjpegsWriteError)
{
    CZAVImg image;
    FillJpegPicture(image, 200, 100, 24);
    std::vector<uint8_t> block(5000);
    EXPECT_EQ("Decoder error: Output file write error --- out of disk space?;; ",
              ThrownText([&] { image.SaveToMemory(block.data(), static_cast<int64_t>(block.size()), 4, nullptr); }));
}

}  // namespace
