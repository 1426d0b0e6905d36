// The PackBits encoder: its worked examples byte for byte, and its output
// of any data read back by libtiff as a strip of compression 32773.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "foundation/datasource/DataSource.h"
#include "formats/tiff/packbits/PackBitsEncoder.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;

namespace {

std::vector<uint8_t> Encode(const std::vector<uint8_t>& input, size_t chunk)
{
    // PackBits grows data by at most one byte in 128, plus a count byte.
    std::vector<uint8_t> out(input.size() * 2 + 16);
    CDataSource target;
    EXPECT_TRUE(target.OpenMemoryForWriting(out.data(), out.size()));
    CPackBitsEncoder(input.data(), input.size(), chunk, &target).Encode();
    out.resize(static_cast<size_t>(target.GetLength()));
    return out;
}

// The coded bytes as the only strip of a one-row 8-bit TIFF, decoded by
// libtiff.
std::vector<uint8_t> DecodeThroughLibtiff(const std::vector<uint8_t>& coded, size_t rowBytes, size_t rows,
                                          const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(rowBytes));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(rows));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(rows));
    TIFFWriteRawStrip(tiff, 0, const_cast<uint8_t*>(coded.data()), static_cast<tmsize_t>(coded.size()));
    TIFFClose(tiff);
    tiff = TIFFOpen(path.c_str(), "r");
    std::vector<uint8_t> decoded(rowBytes * rows);
    const tmsize_t read = TIFFReadEncodedStrip(tiff, 0, decoded.data(), static_cast<tmsize_t>(decoded.size()));
    TIFFClose(tiff);
    EXPECT_EQ(read, static_cast<tmsize_t>(decoded.size()));
    return decoded;
}

TEST(PackBitsEncoder, WorkedExamples)
{
    EXPECT_EQ(Encode(std::vector<uint8_t>(130, 7), 130), (std::vector<uint8_t>{0x81, 7, 0xFF, 7}));
    EXPECT_EQ(Encode({'A', 'B', 'B', 'A'}, 4), (std::vector<uint8_t>{3, 'A', 'B', 'B', 'A'}));
    // Rows of one chunk each keep their codes apart: no run crosses a row.
    EXPECT_EQ(Encode({5, 5, 5, 5, 5, 5}, 3), (std::vector<uint8_t>{0xFE, 5, 0xFE, 5}));
    EXPECT_EQ(Encode({1, 2, 3}, 3), (std::vector<uint8_t>{2, 1, 2, 3}));
    EXPECT_TRUE(Encode({}, 3).empty());
}

TEST(PackBitsEncoder, AnyDataReadsBackThroughLibtiff)
{
    ZAVTest::TempDir dir;
    std::vector<std::vector<uint8_t>> inputs;
    inputs.push_back(ZAVTiffTest::PatternBytes(300000, 3));  // literals past the output buffer
    std::vector<uint8_t> runs;
    for (int i = 0; i < 5000; ++i)
        runs.insert(runs.end(), size_t(i % 300 + 1), static_cast<uint8_t>(i));
    inputs.push_back(runs);
    std::vector<uint8_t> mixed;
    const std::vector<uint8_t> noise = ZAVTiffTest::PatternBytes(40000, 4);
    for (size_t i = 0; i < noise.size(); ++i)
        mixed.insert(mixed.end(), noise[i] % 4 == 0 ? 2 : 1, noise[i]);
    inputs.push_back(mixed);
    for (size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<uint8_t> input = inputs[i];
        const size_t rowBytes = 1000;
        input.resize((input.size() + rowBytes - 1) / rowBytes * rowBytes, 9);
        const std::vector<uint8_t> coded = Encode(input, rowBytes);
        EXPECT_EQ(DecodeThroughLibtiff(coded, rowBytes, input.size() / rowBytes, dir.File("packbits.tif")), input);
    }
}

// The raw first strip of a file as libtiff reads it.
std::vector<uint8_t> RawStrip(const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return {};
    std::vector<uint8_t> strip(static_cast<size_t>(TIFFRawStripSize(tiff, 0)));
    const tmsize_t read = TIFFReadRawStrip(tiff, 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    TIFFClose(tiff);
    strip.resize(read < 0 ? 0 : static_cast<size_t>(read));
    return strip;
}

// A short literal then a run whose codes alone pass the 100000-byte output
// buffer, in one chunk: the codes must leave the buffer even though a literal
// opened the chunk. tiffcp codes the same row with the same codes.
TEST(PackBitsEncoder, LiteralThenRunLongerThanTheBuffer)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    const struct {
        size_t width;
        std::vector<uint8_t> head;
    } cases[] = {{6500000, {1, 2, 3}}, {6500000, {1}}, {200000, {1, 2, 3, 3, 4}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        ZAVTest::TempDir dir;
        std::vector<uint8_t> row(c.width, 0);
        std::copy(c.head.begin(), c.head.end(), row.begin());
        const std::vector<uint8_t> coded = Encode(row, row.size());
        ZAVTiffTest::TiffFile file;
        file.width = static_cast<uint32_t>(row.size());
        file.height = 1;
        file.rows = row;
        ZAVTiffTest::WriteTiff(dir.File("plain.tif"), file);
        ASSERT_EQ(ZAVTest::Run("tiffcp -c packbits " + ZAVTest::ShellQuote(dir.File("plain.tif")) + " " +
                               ZAVTest::ShellQuote(dir.File("packed.tif")))
                      .exitCode,
                  0);
        EXPECT_EQ(coded, RawStrip(dir.File("packed.tif")));
        EXPECT_EQ(DecodeThroughLibtiff(coded, row.size(), 1, dir.File("ours.tif")), row);
    }
}

TEST(PackBitsEncoder, RefusedWriteFails)
{
    std::vector<uint8_t> block(3);
    CDataSource target;
    ASSERT_TRUE(target.OpenMemoryForWriting(block.data(), block.size()));
    const std::vector<uint8_t> input = ZAVTiffTest::PatternBytes(100, 1);
    EXPECT_EQ(ZAVTest::ThrownText([&] { CPackBitsEncoder(input.data(), input.size(), 100, &target).Encode(); }),
              "Can't write to datasource!");
}

}  // namespace
