#include "formats/support/CodecPictures.h"

#include <gtest/gtest.h>

#include <cstring>

#include "image/object/ZAVImg.h"

using namespace ZAV;

namespace ZAVTest {

namespace {

const char kPillowPixels[] = R"(
import sys
from PIL import Image
path = sys.argv[1]
image = Image.open(path)
image.load()
with open(path + ".rgb", "wb") as out:
    out.write(image.convert("RGB").tobytes())
with open(path + ".alpha", "wb") as out:
    if "A" in image.getbands():
        out.write(image.getchannel("A").tobytes())
print(image.mode)
)";

}  // namespace

void FillPatternImage(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_EQ(1, image.Create(width, height, depth));
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < image.GetBytesPerLine(); ++i)
            lines[y][i] = static_cast<BYTE>(i * 37 + y * 59 + (i * y) % 7);
    if (depth == 8) {
        for (int i = 0; i < 256; ++i)
            image.GetPalette().SetEntry(
                i, MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7)));
    }
}

void AddPatternMask(CZAVImg& image)
{
    const size_t size = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    HGLOBAL mask = GlobalAlloc(GPTR, size);
    BYTE* bytes = static_cast<BYTE*>(mask);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 29 + 3);
    ASSERT_EQ(1, image.SetMask(mask, static_cast<int64_t>(size)));
}

std::vector<uint8_t> ImageRgb(const CZAVImg& image)
{
    std::vector<uint8_t> rgb;
    const BYTE* const* lines = const_cast<CZAVImg&>(image).GetLineArray();
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const int depth = image.GetBitsPerPixel();
            if (depth == 24 || depth == 32) {
                const BYTE* pixel = lines[y] + x * (depth / 8);
                rgb.insert(rgb.end(), pixel, pixel + 3);
                continue;
            }
            const int index = depth == 1 ? (lines[y][x / 8] >> (7 - x % 8)) & 1 : lines[y][x];
            uint32_t entry = 0;
            image.GetPalette().GetEntry(index, entry);
            rgb.push_back(PaletteRed(entry));
            rgb.push_back(PaletteGreen(entry));
            rgb.push_back(PaletteBlue(entry));
        }
    }
    return rgb;
}

std::vector<uint8_t> ImageMask(const CZAVImg& image)
{
    const BYTE* mask = static_cast<const BYTE*>(image.GetMask());
    if (!mask)
        return {};
    return std::vector<uint8_t>(mask, mask + image.GetMaskSize());
}

RunResult RunPython(const TempDir& dir, const std::string& script, const std::string& arguments)
{
    const std::string path = dir.File("script.py");
    WriteText(path, script);
    return Run("/usr/bin/python3 " + ShellQuote(path) + " " + arguments);
}

std::string PillowPixels(const TempDir& dir, const std::string& file)
{
    const RunResult result = RunPython(dir, kPillowPixels, ShellQuote(file));
    EXPECT_EQ(0, result.exitCode) << result.output;  // Pillow (python3-pil) must be installed
    std::string mode = result.output;
    while (!mode.empty() && (mode.back() == '\n' || mode.back() == '\r'))
        mode.pop_back();
    return mode;
}

}  // namespace ZAVTest
