// The TIFF encoder: every depth and compression it writes checked by
// tiffinfo (one strip, the expected tags) and reopened by Pillow.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "foundation/datasource/DataSource.h"
#include "formats/tiff/encode/TIFFEncoder.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTiffTest;

namespace {

// A smooth true-colour picture, for lossy codes.
void MakeGradientImage(CZAVImg& image, int width, int height)
{
    ASSERT_TRUE(image.Create(width, height, 24));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel24(x, y, RGB(x * 4, y * 6, (x + y) * 2));
}

// An image of the depth with a pattern in every row; 1-bit images get
// stripes and blocks so that CCITT codes have runs to find.
void MakePatternImage(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_TRUE(image.Create(width, height, depth));
    const std::vector<uint8_t> bytes = PatternBytes(size_t(image.GetImageSize()), uint32_t(depth));
    BYTE** rows = image.GetLineArray();
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < image.GetBytesPerLine(); ++i)
            rows[y][i] = depth == 1 ? static_cast<BYTE>(((y / 3 + i) % 4 == 0) ? 0xF0 : (y % 7 == 0 ? 0xFF : 0))
                                    : bytes[size_t(y) * image.GetBytesPerLine() + i];
    if (depth == 8) {
        CImagePalette& palette = image.GetPalette();
        for (int i = 0; i < 256; ++i)
            palette.SetEntry(i, MakePaletteEntry(BYTE(i), BYTE(255 - i), BYTE(i * 7)));
    }
}

struct SaveCase {
    int depth;
    int compression;
    int t4Options;
    const char* scheme;  // tiffinfo's name of the written compression
    int tolerance;       // JPEG is lossy
};

const SaveCase kSaveCases[] = {
    {1, 1, 0, "None", 0},          {1, 3, 0, "CCITT Group 3", 0}, {1, 3, 1, "CCITT Group 3", 0},
    {1, 4, 0, "CCITT Group 4", 0}, {1, 5, 0, "LZW", 0},           {1, 32946, 0, "Deflate", 0},
    {1, 32773, 0, "PackBits", 0},  {8, 1, 0, "None", 0},          {8, 5, 0, "LZW", 0},
    {8, 32946, 0, "Deflate", 0},   {8, 8, 0, "AdobeDeflate", 0},  {8, 32773, 0, "PackBits", 0},
    {8, 7, 0, "None", 0},          {24, 1, 0, "None", 0},         {24, 5, 0, "LZW", 0},
    {24, 32946, 0, "Deflate", 0},  {24, 32773, 0, "PackBits", 0}, {24, 7, 0, "JPEG", 12},
};

TEST(TiffEncoder, EveryDepthAndCompressionIsOneStripPillowReads)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffinfo"));
    ZAVTest::TempDir dir;
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(std::to_string(c.depth) + " bits, compression " + std::to_string(c.compression) + " T4 " +
                     std::to_string(c.t4Options));
        CZAVImg image;
        if (c.tolerance)
            MakeGradientImage(image, 61, 37);
        else
            MakePatternImage(image, 61, 37, c.depth);
        image.m_prepareBeforeSave = 0;
        image.m_tiffCompression = c.compression;
        image.m_tiffOptionB = c.t4Options;
        const std::string path = dir.File("save.tif");
        image.SaveToFile(path.c_str(), 5, nullptr);
        const std::string info = TiffInfo(path);
        EXPECT_NE(info.find(std::string("Compression Scheme: ") + c.scheme + "\n"), std::string::npos) << info;
        EXPECT_NE(info.find("Rows/Strip: 37"), std::string::npos) << info;
        EXPECT_NE(info.find("1 Strips:"), std::string::npos) << info;
        EXPECT_NE(info.find("ZAVImage - LIBTIFF"), std::string::npos) << info;
        EXPECT_LE(MaxDifference(PillowPixels(path, 0), ImageRgb(image)), c.tolerance);
    }
}

TEST(TiffEncoder, TagsFollowPaletteAndDepth)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("tags.tif");
    CZAVImg image;
    image.m_prepareBeforeSave = 0;
    MakePatternImage(image, 20, 10, 1);
    image.GetPalette().CreateWhiteBlack();
    image.m_tiffCompression = 32946;
    image.m_tiffOptionA = 2;
    image.SaveToFile(path.c_str(), 5, nullptr);
    std::string info = TiffInfo(path);
    EXPECT_NE(info.find("Photometric Interpretation: min-is-white"), std::string::npos) << info;
    // Deflate's predictor works on whole bytes: 1-bit rows take none.
    EXPECT_NE(info.find("Predictor: none 1"), std::string::npos) << info;
    EXPECT_EQ(MaxDifference(PillowPixels(path, 0), ImageRgb(image)), 0);

    image.GetPalette().CreateBlackWhite();
    image.SaveToFile(path.c_str(), 5, nullptr);
    EXPECT_NE(TiffInfo(path).find("Photometric Interpretation: min-is-black"), std::string::npos);

    MakePatternImage(image, 20, 10, 24);
    image.SaveToFile(path.c_str(), 5, nullptr);
    info = TiffInfo(path);
    EXPECT_NE(info.find("Predictor: horizontal differencing 2"), std::string::npos) << info;
}

TEST(TiffEncoder, RefusesWhatItCannotWrite)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("refused.tif");
    for (int depth : {16, 32, 48}) {
        CZAVImg image;
        image.m_prepareBeforeSave = 0;
        ASSERT_TRUE(image.Create(8, 8, depth));
        EXPECT_EQ(ZAVTest::ThrownText([&] { image.SaveToFile(path.c_str(), 5, nullptr); }),
                  "Decoder error: TIFF export requires 1, 8 or 24bpp image!; ")
            << depth;
        EXPECT_FALSE(ZAVTest::FileExists(path));
    }
    CZAVImg image;
    image.m_prepareBeforeSave = 0;
    MakePatternImage(image, 8, 8, 24);
    image.m_tiffCompression = 4;
    EXPECT_EQ(ZAVTest::ThrownText([&] { image.SaveToFile(path.c_str(), 5, nullptr); }),
              "Decoder error: Tiff Compression requires 1bpp image!; ");
    MakePatternImage(image, 8, 8, 1);
    image.m_tiffCompression = 7;
    EXPECT_EQ(ZAVTest::ThrownText([&] { image.SaveToFile(path.c_str(), 5, nullptr); }),
              "Decoder error: TiffJPEG Compression requires 24bpp image!; ");
}

// A target that takes the header but not the strip: the save must fail,
// whether libtiff notices during the rows or only when the directory is
// flushed at the end.
TEST(TiffEncoder, TargetThatRunsOutFailsTheSave)
{
    for (int height : {4, 400}) {
        CZAVImg image;
        image.m_prepareBeforeSave = 0;
        MakePatternImage(image, 100, height, 24);
        std::vector<uint8_t> block(64);
        EXPECT_EQ(ZAVTest::ThrownText([&] { image.SaveToMemory(block.data(), 64, 5, nullptr); }),
                  "Decoder error: Error writing to file!; ")
            << height;
    }
}

TEST(TiffEncoder, ListOfImagesBecomesPagesAndAppends)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("pages.tif");
    CZAVImg pages[3];
    CZAVImg* list[3] = {&pages[0], &pages[1], &pages[2]};
    const int depths[3] = {1, 8, 24};
    for (int i = 0; i < 3; ++i) {
        pages[i].m_prepareBeforeSave = 0;
        MakePatternImage(pages[i], 30 + i, 20 + i, depths[i]);
    }
    CDataSource target;
    ASSERT_TRUE(target.OpenFileForWriting(path.c_str(), false));
    CTIFFEncoder encoder;
    uint32_t bytes = 0;
    ASSERT_EQ(encoder.SaveMultiPicture(&pages[0], list, 3, &target, 0, &bytes), 1);
    ASSERT_TRUE(target.Close());
    EXPECT_EQ(bytes, ZAVTest::ReadBytes(path).size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(MaxDifference(PillowPixels(path, i), ImageRgb(pages[i])), 0) << i;

    CDataSource appended;
    ASSERT_TRUE(appended.OpenFileForWriting(path.c_str(), true));
    ASSERT_EQ(CTIFFEncoder().SaveMultiPicture(&pages[0], list, 1, &appended, 1, &bytes), 1);
    ASSERT_TRUE(appended.Close());
    CZAVImg counter;
    CDataSource reader;
    ASSERT_TRUE(reader.OpenFile(path.c_str()));
    EXPECT_EQ(counter.GetPageCount(reader, 5), 4);
    EXPECT_EQ(MaxDifference(PillowPixels(path, 3), ImageRgb(pages[0])), 0);
}

}  // namespace
