#include "formats/jpeg/JpegTestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "image/object/ZAVImg.h"

using namespace ZAV;

namespace ZAVTest {

void FillJpegPicture(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_EQ(1, image.Create(width, height, depth));
    for (int y = 0; y < height; ++y) {
        BYTE* row = image.GetLineArray()[y];
        for (int i = 0; i < image.GetBytesPerLine(); ++i)
            row[i] = static_cast<BYTE>((i * 255) / image.GetBytesPerLine() / 2 + y * 3 + ((i / 3 + y) % 5) * 9);
    }
    if (depth == 8)
        image.GetPalette().CreateGrayScale();
}

void WritePnm(const CZAVImg& image, const std::string& path)
{
    const bool colour = image.GetBitsPerPixel() == 24;
    std::string header = std::string(colour ? "P6" : "P5") + "\n" + std::to_string(image.GetWidth()) + " " +
                         std::to_string(image.GetHeight()) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    const std::vector<uint8_t> rows = ImageRows(image);
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    WriteBytes(path, bytes);
}

std::vector<uint8_t> PnmPixels(const std::string& path, int& width, int& height)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    char magic[3] = {};
    int maxval = 0;
    int consumed = 0;
    const std::string text(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    EXPECT_EQ(4, std::sscanf(text.c_str(), "%2s %d %d %d%n", magic, &width, &height, &maxval, &consumed));
    EXPECT_EQ(255, maxval);
    // One white-space byte ends the header.
    return std::vector<uint8_t>(bytes.begin() + consumed + 1, bytes.end());
}

std::vector<uint8_t> ImageRows(const CZAVImg& image)
{
    std::vector<uint8_t> rows;
    BYTE** lines = const_cast<CZAVImg&>(image).GetLineArray();
    for (int y = 0; y < image.GetHeight(); ++y)
        rows.insert(rows.end(), lines[y], lines[y] + image.GetBytesPerLine());
    return rows;
}

int DecodeWithDjpeg(const std::string& file, const std::string& out)
{
    const RunResult result = Run("djpeg -dct float -pnm -outfile " + ShellQuote(out) + " " + ShellQuote(file));
    return result.exitCode;
}

}  // namespace ZAVTest
