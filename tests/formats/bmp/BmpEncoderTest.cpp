// The BMP encoder: its files open in Pillow with the image's pixels,
// run-length coded or not, and its refusals.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPixels.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

void Fill(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_TRUE(image.Create(width, height, depth));
    auto* data = static_cast<uint8_t*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)  // runs and stretches alike
        data[i] = static_cast<uint8_t>((i / 3) % 5 == 0 ? 7 : i * 31 + i / 7);
    if (depth == 8)
        for (int i = 0; i < 256; ++i)
            image.GetPalette().SetEntry(
                i, MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3)));
}

std::vector<uint8_t> Saved(CZAVImg& image, int64_t& bytes)
{
    TempDir dir;
    image.SaveToFile(dir.File("out.bmp").c_str(), zavifBMP, &bytes);
    return ReadBytes(dir.File("out.bmp"));
}

TEST(BmpEncoder, SavesOpenInPillowWithTheImagesPixels)
{
    const struct {
        const char* name;
        int width;
        int depth;
        int rleOption;
        uint16_t compression;
    } cases[] = {{"1 bit", 21, 1, 0, 0},
                 {"8 bits", 13, 8, 0, 0},
                 {"24 bits", 13, 24, 0, 0},
                 {"rle8 odd", 301, 8, 1, 1},
                 {"rle8 even", 40, 8, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        Fill(image, c.width, 5, c.depth);
        image.m_prepareBeforeSave = 0;
        image.m_bmpOption = c.rleOption;
        TempDir dir;
        const std::string path = dir.File("out.bmp");
        int64_t bytes = 0;
        image.SaveToFile(path.c_str(), zavifBMP, &bytes);
        const std::vector<uint8_t> file = ReadBytes(path);
        EXPECT_EQ(static_cast<int64_t>(file.size()), bytes);
        EXPECT_EQ(c.compression, file[30]);
        const PillowPicture pillow = PillowRgb(path);
        EXPECT_EQ(c.width, pillow.width);
        EXPECT_EQ(ImageRgb(image), pillow.rgb);
        CZAVImg reloaded;
        reloaded.LoadFromFile(path.c_str(), zavifBMP);
        EXPECT_EQ(ImageRgb(image), ImageRgb(reloaded));
    }
}

TEST(BmpEncoder, OnePixelTrueColourFileIsFiftyEightBytes)
{
    CZAVImg image;
    ASSERT_TRUE(image.Create(1, 1, 24));
    image.SetPixel24(0, 0, RGB(10, 20, 30));
    int64_t bytes = 0;
    const std::vector<uint8_t> file = Saved(image, bytes);
    ASSERT_EQ(58u, file.size());
    EXPECT_EQ(58, bytes);
    EXPECT_EQ(54u, file[10]);
    EXPECT_EQ((std::vector<uint8_t>{30, 20, 10, 0}), std::vector<uint8_t>(file.begin() + 54, file.end()));
}

// Run-length rows: an odd width codes one more pixel of value 0, each row
// ends with 0, 0 and the bitmap with 0, 1.
TEST(BmpEncoder, RunLengthRowsAndTheirEnds)
{
    CZAVImg image;
    ASSERT_TRUE(image.Create(5, 2, 8));
    const BYTE top[] = {9, 9, 9, 9, 9};
    const BYTE bottom[] = {1, 2, 3, 4, 4};
    for (int x = 0; x < 5; ++x) {
        image.SetPixel8(x, 0, top[x]);
        image.SetPixel8(x, 1, bottom[x]);
    }
    image.m_bmpOption = 1;
    int64_t bytes = 0;
    const std::vector<uint8_t> file = Saved(image, bytes);
    const size_t codes = 54 + 4 * 256;
    const std::vector<uint8_t> expected = {0, 3, 1, 2, 3, 0, 2, 4, 1, 0, 0, 0, 5, 9, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(expected, std::vector<uint8_t>(file.begin() + codes, file.end()));
    EXPECT_EQ(expected.size(), file[34]);
    EXPECT_EQ(file.size(), file[2] | (file[3] << 8) | (file[4] << 16));
}

TEST(BmpEncoder, RefusesDepthsAndImagesWithoutPalette)
{
    const struct {
        int depth;
        bool dropPalette;
        const char* text;
    } cases[] = {{16, false, "Decoder error: Encoding BMP: Illegal bpp value."},
                 {32, false, "Decoder error: Encoding BMP: Illegal bpp value."},
                 {8, true, "Decoder error: No Palette available!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        CZAVImg image;
        image.m_prepareBeforeSave = 0;
        ASSERT_TRUE(image.Create(4, 4, c.depth));
        if (c.dropPalette)
            image.GetPalette().Free();
        TempDir dir;
        const std::string path = dir.File("out.bmp");
        const std::string thrown = ThrownText([&] {
            int64_t bytes = 0;
            image.SaveToFile(path.c_str(), zavifBMP, &bytes);
        });
        EXPECT_EQ(0u, thrown.find(c.text)) << thrown;
        EXPECT_FALSE(FileExists(path));
    }
}

}  // namespace
