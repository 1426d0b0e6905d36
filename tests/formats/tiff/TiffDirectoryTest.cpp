// Pages, file information, damaged data and libtiff's messages.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "foundation/datasource/DataSource.h"
#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "formats/tiff/io/TiffHandle.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTiffTest;

namespace {

std::string InfoText(CZAVImg& image, const char* key)
{
    return image.GetOwnImageInfo().HasKey(key) ? image.GetOwnImageInfo().GetValue(key).GetText() : "(none)";
}

// Two pages of different sizes and depths.
std::string WriteTwoPages(ZAVTest::TempDir& dir)
{
    TiffFile first;
    first.width = 10, first.height = 6, first.bits = 8;
    first.rows = PatternBytes(60, 1);
    TiffFile second;
    second.width = 24, second.height = 4, second.bits = 1, second.compression = COMPRESSION_CCITTFAX4;
    second.rows = PatternBytes(12, 2);
    WriteTiff(dir.File("a.tif"), first);
    WriteTiff(dir.File("b.tif"), second);
    const std::string path = dir.File("pages.tif");
    const ZAVTest::RunResult run =
        ZAVTest::Run("tiffcp " + ZAVTest::ShellQuote(dir.File("a.tif")) + " " + ZAVTest::ShellQuote(dir.File("b.tif")) +
                     " " + ZAVTest::ShellQuote(path) + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return path;
}

TEST(TiffPages, EachFrameLoadsItsOwnPageAndFactsAndFrameThreeFails)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    ZAVTest::TempDir dir;
    const std::string path = WriteTwoPages(dir);
    for (int page = 0; page < 2; ++page) {
        CZAVImg image;
        image.m_pageIndex = page;
        image.LoadFromFile(path.c_str(), 5);
        EXPECT_EQ(MaxDifference(ImageRgb(image), PillowPixels(path, page)), 0) << page;
        EXPECT_EQ(image.GetOwnImageInfo().GetValue("FRAMES").GetInt(), 2);

        CDataSource source;
        ASSERT_TRUE(source.OpenMapped(path.c_str()));
        CTIFFDecoder decoder;
        decoder.SetFrameIndex(page);
        FilterImageInfo info{};
        image.SetImageInfoList(&image.GetOwnImageInfo());
        ASSERT_EQ(decoder.GetFileInfo(&image, &source, &info), 1);
        EXPECT_EQ(info.width, page == 0 ? 10 : 24);
        EXPECT_EQ(info.bitsPerPixel, page == 0 ? 8 : 1);
        EXPECT_EQ(InfoText(image, "COMPRESSION"), page == 0 ? "none" : "CCITT Group 4 fax encoding");
        EXPECT_EQ(image.m_tiffCompression, page == 0 ? 1 : 4);
    }
    CZAVImg image;
    image.m_pageIndex = 3;
    EXPECT_EQ(ZAVTest::ThrownText([&] { image.LoadFromFile(path.c_str(), 5); }), "Decoder error: Invalid TIFF Frame 3");
    EXPECT_FALSE(image.HasImage());
}

TEST(TiffFileInfo, FactsAndResolutionOfTheDirectory)
{
    const std::vector<uint8_t> strip(4 * 2, 0x5A);
    const std::vector<uint8_t> bytes = BuildTiff({{256, kShort, 4},
                                                  {257, kShort, 2},
                                                  {258, kShort, 8},
                                                  {259, kShort, 32773},
                                                  {262, kShort, 0},
                                                  {273, kLong, kStripData},
                                                  {277, kShort, 1},
                                                  {278, kShort, 2},
                                                  {279, kLong, 8},
                                                  {296, kShort, 3}},
                                                 strip);
    CZAVImg image;
    image.LoadFromMemory(bytes.data(), int64_t(bytes.size()), 5);
    EXPECT_EQ(InfoText(image, "TYPE"), "Tagged Image File (TIFF)");
    EXPECT_EQ(InfoText(image, "COMPRESSION"), "Packbits RLE");
    EXPECT_EQ(InfoText(image, "SUBTYPE"), "min value is white");
    EXPECT_EQ(InfoText(image, "DPIX"), "0.00pixels/cm");
    EXPECT_EQ(image.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt(), 8);
    EXPECT_EQ(image.GetOwnImageInfo().GetValue("WIDTH").GetInt(), 4);
}

// A strip that cannot be decoded after the first: the rows before it stay
// and libtiff's error is ERROR0 of the image's list.
TEST(TiffDamage, LaterRowErrorKeepsTheRowsReadAndListsTheError)
{
    ZAVTest::TempDir dir;
    TiffFile file;
    file.width = 16, file.height = 8, file.bits = 8, file.compression = COMPRESSION_ADOBE_DEFLATE;
    file.rowsPerStrip = 2;
    file.rows = PatternBytes(16 * 8, 9);
    const std::string path = dir.File("damaged.tif");
    WriteTiff(path, file);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    uint64_t* offsets = nullptr;
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets));
    const uint64_t third = offsets[2];
    TIFFClose(tiff);
    std::vector<uint8_t> bytes = ZAVTest::ReadBytes(path);
    bytes[third] = bytes[third + 1] = 0xFF;  // no zlib header
    ZAVTest::WriteBytes(path, bytes);

    CZAVImg image;
    image.LoadFromFile(path.c_str(), 5);
    ASSERT_TRUE(image.HasImage());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(image.GetPixel8(x, y), y < 4 ? file.rows[y * 16 + x] : 0) << x << "," << y;
    EXPECT_NE(InfoText(image, "ERROR0"), "(none)");
    EXPECT_EQ(InfoText(image, "ERROR0").back(), ';');

    // The first row failing fails the load with libtiff's text.
    const std::vector<uint8_t> original = ZAVTest::ReadBytes(path);
    tiff = TIFFOpen(path.c_str(), "r");
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets));
    const uint64_t first = offsets[0];
    TIFFClose(tiff);
    bytes[first] = bytes[first + 1] = 0xFF;
    ZAVTest::WriteBytes(path, bytes);
    const std::string text = ZAVTest::ThrownText([&] { image.LoadFromFile(path.c_str(), 5); });
    EXPECT_EQ(text.rfind("Decoder error: ", 0), 0u) << text;
    EXPECT_EQ(text.back(), ';') << text;
}

// Old-style JPEG names its JPEG by offset and length: both must lie inside
// the data, else there is no JPEG to hand to the JPEG decoder.
TEST(TiffDamage, EmbeddedJpegPlaceIsCheckedAgainstTheData)
{
    struct PlaceCase {
        uint32_t offset, length;
        bool found;
    };
    const PlaceCase cases[] = {
        {8, 16, true}, {8, 0, true}, {0, 16, false}, {8, 0x7FFFFFFF, false}, {0x7FFFFFF0, 4, false}};
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + "+" + std::to_string(c.length));
        const std::vector<uint8_t> bytes = BuildTiff({{256, kShort, 8},
                                                      {257, kShort, 8},
                                                      {258, kShort, 8},
                                                      {259, kShort, 6},
                                                      {262, kShort, 1},
                                                      {273, kLong, kStripData},
                                                      {277, kShort, 1},
                                                      {278, kShort, 8},
                                                      {279, kLong, 64},
                                                      {513, kLong, c.offset},
                                                      {514, kLong, c.length}},
                                                     std::vector<uint8_t>(64, 0));
        CDataSource source;
        ASSERT_TRUE(source.OpenMemory(bytes.data(), bytes.size()));
        CZAVImg image;
        CTiffHandle handle(&image, 0);
        handle.Open(&source, "r");
        uint64_t offset = 0;
        EXPECT_EQ(FindEmbeddedJpeg(handle.Get(), source, offset), c.found);
        // Whatever the place, loading ends in a clear error or a picture.
        CZAVImg loaded;
        ZAVTest::ThrownText([&] { loaded.LoadFromMemory(bytes.data(), int64_t(bytes.size()), 5); });
    }
}

// libtiff's warnings become WARNING%d entries and never reach stderr.
TEST(TiffMessages, WarningsGoToTheImagesList)
{
    const std::vector<uint8_t> bytes = BuildTiff({{256, kShort, 2},
                                                  {257, kShort, 1},
                                                  {258, kShort, 8},
                                                  {262, kShort, 1},
                                                  {273, kLong, kStripData},
                                                  {279, kLong, 2},
                                                  {65000, kShort, 7}},
                                                 {1, 2});
    CZAVImg image;
    testing::internal::CaptureStderr();
    image.LoadFromMemory(bytes.data(), int64_t(bytes.size()), 5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(InfoText(image, "WARNING0").rfind("Warning in LIBTIFF(", 0), 0u) << InfoText(image, "WARNING0");
    EXPECT_EQ(image.GetPixel8(1, 0), 2);
}

}  // namespace
