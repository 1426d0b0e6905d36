// The PCX encoder: its files open in Pillow with the image's pixels, rows
// keep an even byte count, runs stop at 63, and other depths are refused.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/RasterTools.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

std::vector<uint8_t> Save(CZAVImg& image, const TempDir& dir, const std::string& name)
{
    image.m_prepareBeforeSave = 0;
    int64_t bytes = 0;
    image.SaveToFile(dir.File(name).c_str(), zavifPCX, &bytes);
    const std::vector<uint8_t> file = ReadBytes(dir.File(name));
    EXPECT_EQ(static_cast<int64_t>(file.size()), bytes);
    return file;
}

TEST(PcxEncoder, FilesOpenInPillowWithTheImagesPixels)
{
    const struct {
        int width;
        int depth;
    } cases[] = {{5, 8}, {16, 8}, {5, 24}, {33, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.depth));
        CZAVImg image;
        FillPatternImage(image, c.width, 7, c.depth);
        TempDir dir;
        const std::vector<uint8_t> file = Save(image, dir, "out.pcx");
        EXPECT_EQ((c.width + 1) / 2 * 2, file[66] | (file[67] << 8));
        EXPECT_EQ(c.depth == 24 ? 3 : 1, file[65]);
        const PillowView pillow = ReadWithPillow(dir, "out.pcx");
        EXPECT_EQ(c.width, pillow.width);
        EXPECT_EQ(ImageRgb(image), pillow.rgb);
        CZAVImg again;
        LoadPicture(again, dir.File("out.pcx"), zavifPCX);
        EXPECT_EQ(ImageRgb(image), ImageRgb(again));
    }
}

// Five pixels take six bytes a row, the last one zero; a row of 200 equal
// bytes is three runs of 63 and one of 11.
TEST(PcxEncoder, PaddedRowsAndRunsOfAtMost63)
{
    TempDir dir;
    CZAVImg narrow;
    ASSERT_TRUE(narrow.Create(5, 1, 8));
    for (int x = 0; x < 5; ++x)
        narrow.SetPixel8(x, 0, 9);
    const std::vector<uint8_t> a = Save(narrow, dir, "a.pcx");
    EXPECT_EQ(std::vector<uint8_t>({0xC5, 0x09, 0x00, 12}), std::vector<uint8_t>(a.begin() + 128, a.begin() + 132));
    CZAVImg wide;
    ASSERT_TRUE(wide.Create(200, 1, 8));
    for (int x = 0; x < 200; ++x)
        wide.SetPixel8(x, 0, 0xC5);
    const std::vector<uint8_t> b = Save(wide, dir, "b.pcx");
    EXPECT_EQ(std::vector<uint8_t>({0xFF, 0xC5, 0xFF, 0xC5, 0xFF, 0xC5, 0xCB, 0xC5, 12}),
              std::vector<uint8_t>(b.begin() + 128, b.begin() + 137));
}

TEST(PcxEncoder, RefusesOtherDepths)
{
    for (int depth : {1, 16}) {
        CZAVImg image;
        FillPatternImage(image, 4, 4, depth);
        TempDir dir;
        // The save path adds its own separator to the codec text.
        EXPECT_EQ("Decoder error: PCX export requires 8 or 24bpp image!; ",
                  ThrownText([&] { Save(image, dir, "x.pcx"); }));
    }
}

}  // namespace
