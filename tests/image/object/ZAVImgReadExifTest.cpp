// The image's EXIF operations over a JPEG that exiftool gave tags and a
// thumbnail: the entries as tag texts, the thumbnail as the image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace ZAVTest {
namespace {

using ZAV::CZAVImg;

// A gray picture by cjpeg; with tags, Make and a 16 x 8 thumbnail by exiftool.
std::string MakeJpeg(const TempDir& dir, const std::string& name, bool withExif)
{
    std::string pgm = "P5\n32 24\n255\n";
    for (int i = 0; i < 32 * 24; ++i)
        pgm.push_back(char(i * 7));
    WriteText(dir.File(name + ".pgm"), pgm);
    const std::string jpeg = dir.File(name + ".jpg");
    RunResult run = Run("cjpeg -outfile " + ShellQuote(jpeg) + " " + ShellQuote(dir.File(name + ".pgm")));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    if (!withExif)
        return jpeg;
    WriteText(dir.File("thumb.pgm"), "P5\n16 8\n255\n" + std::string(128, 'x'));
    run = Run("cjpeg -outfile " + ShellQuote(dir.File("thumb.jpg")) + " " + ShellQuote(dir.File("thumb.pgm")));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    run =
        Run("exiftool -q -overwrite_original -Make=ZAVCam -Orientation#=3 '-ThumbnailImage<=" + dir.File("thumb.jpg") +
            "' " + ShellQuote(jpeg));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return jpeg;
}

bool HasTexts(const std::vector<std::string>& tags, const std::vector<std::string>& five)
{
    for (size_t i = 0; i + 5 <= tags.size(); i += 5)
        if (std::vector<std::string>(tags.begin() + i, tags.begin() + i + 5) == five)
            return true;
    return false;
}

TEST(ZAVImgReadExif, FileGivesTheTagsAndTheThumbnail)
{
    ASSERT_TRUE(HaveTool("cjpeg"));
    ASSERT_TRUE(HaveTool("exiftool"));
    TempDir dir;
    const std::string jpeg = MakeJpeg(dir, "tagged", true);
    CZAVImg image;
    std::vector<std::string> tags;
    image.ReadExif(jpeg.c_str(), tags);
    EXPECT_TRUE(HasTexts(tags, {"0", "271", "Make", "", "ZAVCam"}));
    EXPECT_TRUE(HasTexts(tags, {"0", "274", "Orientation", "", "lower right"}));
    EXPECT_EQ(image.GetWidth(), 16);
    EXPECT_EQ(image.GetHeight(), 8);

    // From memory the same tags, and the image stays as it was.
    const std::vector<uint8_t> bytes = ReadBytes(jpeg);
    CZAVImg untouched;
    std::vector<std::string> fromMemory;
    untouched.ReadExifFromMem(bytes.data(), int64_t(bytes.size()), fromMemory);
    EXPECT_EQ(fromMemory, tags);
    EXPECT_FALSE(untouched.HasImage());
}

TEST(ZAVImgReadExif, FailuresThrowTheReadersText)
{
    ASSERT_TRUE(HaveTool("cjpeg"));
    TempDir dir;
    const std::string plain = MakeJpeg(dir, "plain", false);
    CZAVImg image;
    std::vector<std::string> tags;
    EXPECT_EQ(ThrownText([&] { image.ReadExif("", tags); }), "Invalid Filename!");
    EXPECT_EQ(ThrownText([&] { image.ReadExif(plain.c_str(), tags); }), "CExifRead error: No Exif data found!\n");
    const std::vector<uint8_t> bytes = ReadBytes(plain);
    EXPECT_EQ(ThrownText([&] { image.ReadExifFromMem(bytes.data(), int64_t(bytes.size()), tags); }),
              "CExifRead error: No Exif data found!\n");
    EXPECT_EQ(ThrownText([&] { image.ReadExifFromMem(nullptr, 16, tags); }), "Invalid Parameter!");
    EXPECT_NE(ThrownText([&] { image.ReadExif(dir.File("missing.jpg").c_str(), tags); }), "(nothing thrown)");
}

}  // namespace
}  // namespace ZAVTest
