#include "TiffTestSupport.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdlib>

#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"

using namespace ZAV;

namespace ZAVTiffTest {

namespace {

void SetBaseTags(TIFF* tiff, const TiffFile& file)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, file.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, file.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, file.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, file.samples);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, file.compression);
    if (file.photometric >= 0)
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, file.photometric);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, file.rowsPerStrip ? file.rowsPerStrip : file.height);
    if (!file.colorMap.empty()) {
        const size_t n = file.colorMap.size() / 3;
        std::vector<uint16_t> map = file.colorMap;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
    }
    if (!file.iccProfile.empty())
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(file.iccProfile.size()), file.iccProfile.data());
}

}  // namespace

void WriteTiff(const std::string& path, const TiffFile& file)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    SetBaseTags(tiff, file);
    const size_t rowBytes = (size_t(file.width) * file.bits * file.samples + 7) / 8;
    ASSERT_EQ(file.rows.size(), rowBytes * file.height);
    std::vector<uint8_t> row(rowBytes);
    for (uint32_t y = 0; y < file.height; ++y) {
        std::copy(file.rows.begin() + y * rowBytes, file.rows.begin() + (y + 1) * rowBytes, row.begin());
        ASSERT_GE(TIFFWriteScanline(tiff, row.data(), y, 0), 0);
    }
    TIFFClose(tiff);
}

std::vector<uint8_t> BuildTiff(std::vector<IfdEntry> entries, const std::vector<uint8_t>& strip)
{
    std::vector<uint8_t> bytes = {'I', 'I', 42, 0};
    auto put16 = [&](uint32_t v) { bytes.insert(bytes.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    const uint32_t directory = static_cast<uint32_t>(8 + strip.size() + (strip.size() & 1));
    put32(directory);
    bytes.insert(bytes.end(), strip.begin(), strip.end());
    bytes.resize(directory);
    std::sort(entries.begin(), entries.end(), [](const IfdEntry& a, const IfdEntry& b) { return a.tag < b.tag; });
    put16(static_cast<uint32_t>(entries.size()));
    for (const IfdEntry& e : entries) {
        const uint32_t value = e.value == kStripData ? 8 : e.value;
        put16(e.tag), put16(e.type), put32(1);
        if (e.type == kShort)
            put16(value), put16(0);
        else
            put32(value);
    }
    put32(0);
    return bytes;
}

std::vector<uint8_t> PatternBytes(size_t count, uint32_t seed)
{
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

std::vector<uint8_t> PillowPixels(const std::string& path, int frame, bool raw)
{
    const std::string out = path + ".pillow";
    const std::string script = "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
                               "im.seek(int(sys.argv[2]))\n"
                               "data = im.tobytes() if sys.argv[3] == 'raw' else im.convert('RGB').tobytes()\n"
                               "open(sys.argv[4], 'wb').write(data)\n";
    const ZAVTest::RunResult result =
        ZAVTest::Run("/usr/bin/python3 -c " + ZAVTest::ShellQuote(script) + " " + ZAVTest::ShellQuote(path) + " " +
                     std::to_string(frame) + " " + (raw ? "raw" : "rgb") + " " + ZAVTest::ShellQuote(out));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    if (result.exitCode != 0)
        return {};
    std::vector<uint8_t> bytes = ZAVTest::ReadBytes(out);
    std::remove(out.c_str());
    return bytes;
}

std::vector<uint8_t> ImageRgb(const CZAVImg& image)
{
    std::vector<uint8_t> rgb;
    const int width = image.GetWidth(), height = image.GetHeight(), depth = image.GetBitsPerPixel();
    CZAVImg& img = const_cast<CZAVImg&>(image);
    BYTE** rows = img.GetLineArray();
    const uint32_t* palette = image.GetPalette().GetEntries();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const BYTE* row = rows[y];
            uint32_t entry = 0;
            if (depth == 1 || depth == 8) {
                const int index = depth == 1 ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x];
                entry = palette[index];
                rgb.insert(rgb.end(), {PaletteRed(entry), PaletteGreen(entry), PaletteBlue(entry)});
            } else if (depth == 16) {
                rgb.insert(rgb.end(), 3, row[2 * x + 1]);
            } else if (depth == 24) {
                rgb.insert(rgb.end(), row + 3 * x, row + 3 * x + 3);
            } else if (depth == 48) {
                rgb.insert(rgb.end(), {row[6 * x + 1], row[6 * x + 3], row[6 * x + 5]});
            }
        }
    return rgb;
}

std::string TiffInfo(const std::string& path)
{
    const ZAVTest::RunResult result = ZAVTest::Run("tiffinfo -s " + ZAVTest::ShellQuote(path) + " 2>&1");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
}

}  // namespace ZAVTiffTest
