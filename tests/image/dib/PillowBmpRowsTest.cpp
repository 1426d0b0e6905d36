// Rows of BMP files written by Pillow, an independent writer, must convert
// to the pixels Pillow itself reads back from the same files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "support/TestSupport.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

// Writes NAME.bmp in the given mode and NAME.rgb, the RGB bytes Pillow reads
// back from that file, top row first.
const char kMakeBmp[] = R"(
import sys
from PIL import Image
mode, width, height, stem = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
image = Image.new("RGB", (width, height))
image.putdata([((x * 37 + y * 11) % 256, (x * 5 + y * 59) % 256, (x * y * 13) % 256)
               for y in range(height) for x in range(width)])
if mode == "1":
    image = image.convert("L").point(lambda v: 255 if v > 100 else 0).convert("1")
elif mode == "P":
    image = image.quantize(colors=40)
image.save(stem + ".bmp")
with open(stem + ".rgb", "wb") as out:
    out.write(Image.open(stem + ".bmp").convert("RGB").tobytes())
)";

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t Le16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The image rows (red first, top-down) of an uncompressed BMP file.
std::vector<uint8_t> ConvertBmp(const std::vector<uint8_t>& file, int& width, int& height, int& bits)
{
    const uint32_t bitsOffset = Le32(file, 10);
    const uint32_t headerSize = Le32(file, 14);
    width = static_cast<int32_t>(Le32(file, 18));
    const int32_t storedHeight = static_cast<int32_t>(Le32(file, 22));
    height = storedHeight < 0 ? -storedHeight : storedHeight;
    bits = Le16(file, 28);
    EXPECT_EQ(0u, Le32(file, 30));  // BI_RGB
    uint32_t colours = Le32(file, 46);
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;
    std::vector<uint32_t> palette(256, 0);
    for (uint32_t i = 0; i < colours && bits <= 8; ++i)
        palette[i] = Le32(file, 14 + headerSize + 4 * i);

    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    EXPECT_GE(file.size(), bitsOffset + stride * height);
    std::vector<uint8_t> image(static_cast<size_t>(width) * height * 3);
    CImgKernels kernels;
    for (int y = 0; y < height; ++y) {
        const int stored = storedHeight > 0 ? height - 1 - y : y;
        kernels.DibRowToImage(file.data() + bitsOffset + stride * stored, image.data() + static_cast<size_t>(y) * width * 3,
                              width, bits, palette.data(), nullptr);
    }
    return image;
}

TEST(PillowBmpRows, ConvertToThePixelsPillowReads)
{
    TempDir dir;
    const std::string script = dir.File("make_bmp.py");
    WriteText(script, kMakeBmp);
    const struct {
        const char* mode;
        int bits;
    } cases[] = {{"1", 1}, {"P", 8}, {"RGB", 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string stem = dir.File(std::string("pillow_") + c.mode);
        const RunResult made = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(script) + " " + c.mode + " 13 7 " + ShellQuote(stem));
        ASSERT_EQ(0, made.exitCode) << made.output;  // Pillow (python3-pil) must be installed
        int width = 0;
        int height = 0;
        int bits = 0;
        const std::vector<uint8_t> rows = ConvertBmp(ReadBytes(stem + ".bmp"), width, height, bits);
        EXPECT_EQ(c.bits, bits);
        EXPECT_EQ(13, width);
        EXPECT_EQ(7, height);
        EXPECT_EQ(ReadBytes(stem + ".rgb"), rows);
    }
}

}  // namespace
