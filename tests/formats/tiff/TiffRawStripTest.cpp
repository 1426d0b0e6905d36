// Compressed data wrapped as strip 0 of a TIFF whose tags come from the
// image, as the PDF stream routines decode CCITT, LZW and Deflate data; and
// old-style JPEG files whose embedded JPEG the JPEG decoder reads.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "foundation/datasource/DataSource.h"
#include "formats/tiff/encode/TIFFEncoder.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"

using namespace ZAV;
using namespace ZAVTiffTest;

namespace {

// Strip 0 of a file as stored.
std::vector<uint8_t> RawStrip(const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    EXPECT_NE(tiff, nullptr);
    EXPECT_EQ(TIFFNumberOfStrips(tiff), 1u);
    uint64_t* counts = nullptr;
    TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts);
    std::vector<uint8_t> strip(static_cast<size_t>(counts[0]));
    TIFFReadRawStrip(tiff, 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    TIFFClose(tiff);
    return strip;
}

struct WrapCase {
    int depth;
    int compression;
};

TEST(TiffRawStrip, SavedStripWrappedAgainLoadsTheSamePixels)
{
    ZAVTest::TempDir dir;
    const WrapCase cases[] = {{1, 4}, {1, 3}, {8, 5}, {24, 32946}, {24, 32773}};
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + " bits, compression " + std::to_string(c.compression));
        CZAVImg image;
        image.m_prepareBeforeSave = 0;
        ASSERT_TRUE(image.Create(70, 23, c.depth));
        const std::vector<uint8_t> pattern = PatternBytes(size_t(image.GetImageSize()), 7);
        std::copy(pattern.begin(), pattern.end(), image.GetLineArray()[0]);
        image.m_tiffCompression = c.compression;
        const std::string saved = dir.File("saved.tif");
        image.SaveToFile(saved.c_str(), 5, nullptr);
        const std::vector<uint8_t> strip = RawStrip(saved);

        std::vector<uint8_t> wrap(strip.size() + 500000);
        CDataSource target;
        ASSERT_TRUE(target.OpenMemoryForWriting(wrap.data(), wrap.size()));
        uint32_t written = 0;
        CTIFFEncoder().SaveRawStrip(&image, &target, strip.data(), static_cast<uint32_t>(strip.size()), &written);
        ASSERT_GT(written, strip.size());
        CZAVImg loaded;
        loaded.LoadFromMemory(wrap.data(), written, 5);
        EXPECT_EQ(ImageRgb(loaded), ImageRgb(image));
    }
}

TEST(TiffRawStrip, OldJpegLoadsItsEmbeddedJpeg)
{
    ASSERT_TRUE(ZAVTest::HaveTool("cjpeg"));
    ZAVTest::TempDir dir;
    std::string ppm = "P6\n16 8\n255\n";
    for (int i = 0; i < 16 * 8; ++i)
        ppm += std::string{char(i * 2), char(255 - i), char(i % 16 * 16)};
    ZAVTest::WriteText(dir.File("in.ppm"), ppm);
    ASSERT_EQ(ZAVTest::Run("cjpeg -quality 90 " + dir.File("in.ppm") + " > " + dir.File("in.jpg")).exitCode, 0);
    const std::vector<uint8_t> jpeg = ZAVTest::ReadBytes(dir.File("in.jpg"));
    const std::vector<uint8_t> bytes = BuildTiff({{256, kShort, 16},
                                                  {257, kShort, 8},
                                                  {258, kShort, 8},
                                                  {259, kShort, 6},
                                                  {262, kShort, 6},
                                                  {273, kLong, kStripData},
                                                  {277, kShort, 3},
                                                  {278, kShort, 8},
                                                  {279, kLong, static_cast<uint32_t>(jpeg.size())},
                                                  {513, kLong, kStripData},
                                                  {514, kLong, static_cast<uint32_t>(jpeg.size())}},
                                                 jpeg);
    CZAVImg image;
    image.LoadFromMemory(bytes.data(), int64_t(bytes.size()), 5);
    ASSERT_EQ(image.GetBitsPerPixel(), 24);
    CZAVImg direct;
    direct.LoadFromMemory(jpeg.data(), int64_t(jpeg.size()), 4);
    EXPECT_EQ(ImageRgb(image), ImageRgb(direct));
}

}  // namespace
