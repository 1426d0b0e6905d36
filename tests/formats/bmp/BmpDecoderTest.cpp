// The BMP decoder against Pillow, an independent reader: Pillow-written
// files and hand-built ones (run-length codes, top-down rows, v4/v5 headers,
// gaps before the pixels, core headers) load to the pixels Pillow reads.
#include "formats/bmp/BmpFixtures.h"
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/PillowRgb.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

const char kMakePillowBmp[] = R"(
import sys
from PIL import Image
mode, path = sys.argv[1], sys.argv[2]
image = Image.new("RGBA", (13, 7))
image.putdata([((x * 37 + y * 11) % 256, (x * 5 + y * 59) % 256, (x * y * 13) % 256, (x * 29) % 256)
               for y in range(7) for x in range(13)])
if mode == "P":
    image = image.convert("RGB").quantize(colors=40)
elif mode != "RGBA":
    image = image.convert(mode)
image.save(path)
)";

void Load(CZAVImg& image, const std::vector<uint8_t>& file)
{
    image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), zavifBMP);
}

// The loaded image has Pillow's size and pixels.
void ExpectPillowPixels(const std::string& path, int depth)
{
    CZAVImg image;
    image.LoadFromFile(path.c_str(), zavifBMP);
    EXPECT_EQ(depth, image.GetBitsPerPixel());
    const PillowPicture pillow = PillowRgb(path);
    EXPECT_EQ(pillow.width, image.GetWidth());
    EXPECT_EQ(pillow.height, image.GetHeight());
    EXPECT_EQ(pillow.rgb, ImageRgb(image));
}

TEST(BmpDecoder, PillowWrittenFilesLoadToPillowsPixels)
{
    TempDir dir;
    const struct {
        const char* mode;
        int depth;
    } cases[] = {{"1", 1}, {"L", 8}, {"P", 8}, {"RGB", 24}, {"RGBA", 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string path = dir.File(std::string(c.mode) + ".bmp");
        RunPythonScript(kMakePillowBmp, std::string(c.mode) + " " + ShellQuote(path));
        ExpectPillowPixels(path, c.depth);
    }
}

BmpLayout RunLength8()
{
    BmpLayout s;
    s.width = 7;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.tableEntries = 16;
    // a run, an odd absolute run with its pad byte and a run; an even
    // absolute run and a run; one run over the whole row
    s.pixels = {3, 1, 0, 3, 2, 3, 4, 0, 1, 5, 0, 0, 0, 4, 6, 7, 8, 9, 3, 10, 0, 0, 7, 11, 0, 0, 0, 1};
    return s;
}

BmpLayout RunLength4()
{
    BmpLayout s;
    s.width = 5;
    s.height = 3;
    s.bits = 4;
    s.compression = 2;
    s.tableEntries = 16;
    s.pixels = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 1, 0x77, 0, 0, 2, 0xAB, 3, 0xCD, 0, 0, 0, 1};
    return s;
}

BmpLayout TopDown24()
{
    BmpLayout s;
    s.width = 3;
    s.height = -2;
    s.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    return s;
}

// Pixels after a gap that a reader ignoring the file header's offset would
// take for the picture.
BmpLayout V5WithGap()
{
    BmpLayout s;
    s.headerSize = 124;
    s.width = 3;
    s.height = 2;
    s.bits = 8;
    s.coloursUsed = 4;
    s.tableEntries = 4;
    s.gap = 16;
    s.pixels = {0, 1, 2, 0, 3, 2, 1, 0};
    return s;
}

BmpLayout V4BitFields32()
{
    BmpLayout s;
    s.headerSize = 108;
    s.width = 2;
    s.height = 2;
    s.bits = 32;
    s.compression = 3;
    s.pixels = {10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255, 100, 110, 120, 255};
    return s;
}

BmpLayout Core8()
{
    BmpLayout s;
    s.headerSize = 12;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.tableEntries = 256;
    s.pixels = {0, 200, 0, 0, 255, 17, 0, 0};
    return s;
}

BmpLayout Uncompressed4OddWidth()
{
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.bits = 4;
    s.tableEntries = 16;
    s.pixels = {0x12, 0x30, 0, 0, 0xFE, 0xD0, 0, 0};
    return s;
}

TEST(BmpDecoder, HandBuiltFilesLoadToPillowsPixels)
{
    TempDir dir;
    const struct {
        const char* name;
        BmpLayout layout;
        int depth;
    } cases[] = {{"rle8", RunLength8(), 8},
                 {"rle4", RunLength4(), 8},
                 {"topdown24", TopDown24(), 24},
                 {"v5gap", V5WithGap(), 8},
                 {"v4fields32", V4BitFields32(), 24},
                 {"core8", Core8(), 8},
                 {"bits4", Uncompressed4OddWidth(), 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".bmp");
        WriteBytes(path, BuildBmp(c.layout));
        ExpectPillowPixels(path, c.depth);
    }
}

// The rows of run-length data as the codes give them, bottom row first
// (top row first for a negative height):
// runs past the row's end are cut off, an odd 4-bit absolute run takes the
// high nibble of one more byte, and rows after the end of the bitmap stay 0.
TEST(BmpDecoder, RunLengthEdgeCases)
{
    BmpLayout rle8 = RunLength8();
    rle8.height = 3;
    rle8.pixels = {9, 4, 0, 0, 0, 3, 5, 6, 7, 0, 0, 1};
    BmpLayout rle8TopDown = rle8;
    rle8TopDown.height = -3;
    BmpLayout rle4 = RunLength4();
    rle4.height = 2;
    rle4.pixels = {0, 5, 0x34, 0x56, 0x78, 0, 0, 0, 0, 1};
    const struct {
        const char* name;
        BmpLayout layout;
        std::vector<uint8_t> rows;  // top row first
    } cases[] = {
        {"rle8", rle8, {0, 0, 0, 0, 0, 0, 0, 5, 6, 7, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 4}},
        {"rle8 top-down", rle8TopDown, {4, 4, 4, 4, 4, 4, 4, 5, 6, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"rle4", rle4, {0, 0, 0, 0, 0, 3, 4, 5, 6, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        Load(image, BuildBmp(c.layout));
        const auto* data = static_cast<const uint8_t*>(image.GetImageData());
        EXPECT_EQ(c.rows, std::vector<uint8_t>(data, data + image.GetImageSize()));
    }
}

TEST(BmpDecoder, FourBitPaletteFillsTheFirstSixteenOfTwoHundredFiftySix)
{
    CZAVImg image;
    Load(image, BuildBmp(Uncompressed4OddWidth()));
    ASSERT_EQ(256, image.GetPalette().GetCount());
    uint32_t entry = 0;
    image.GetPalette().GetEntry(15, entry);
    EXPECT_EQ(MakePaletteEntry(240, 195, 105), entry);
    EXPECT_EQ(0x0F, image.GetPixel8(0, 0));
    EXPECT_EQ(0x03, image.GetPixel8(2, 1));
}

// A table of more than 256 entries fills the palette and the rest is
// skipped: the pixels come from the file header's offset.
TEST(BmpDecoder, LongColourTableFillsThePaletteAndIsSkipped)
{
    BmpLayout s;
    s.width = 2;
    s.height = 1;
    s.bits = 8;
    s.coloursUsed = 300;
    s.tableEntries = 300;
    s.pixels = {255, 1, 0, 0};
    CZAVImg image;
    Load(image, BuildBmp(s));
    ASSERT_EQ(256, image.GetPalette().GetCount());
    EXPECT_EQ(255, image.GetPixel8(0, 0));
    EXPECT_EQ(1, image.GetPixel8(1, 0));
    uint32_t entry = 0;
    image.GetPalette().GetEntry(255, entry);
    EXPECT_EQ(MakePaletteEntry(0, (13 * 255) & 0xFF, (7 * 255) & 0xFF), entry);
}

TEST(BmpDecoder, FileFactsAndResolution)
{
    CZAVImg image;
    Load(image, BuildBmp(RunLength8()));
    const CNameVariantPairs& facts = image.GetOwnImageInfo();
    EXPECT_EQ("Windows Bitmap (BMP)", facts.GetValue("TYPE").GetText());
    EXPECT_EQ("v3", facts.GetValue("SUBTYPE").GetText());
    EXPECT_EQ("RLE", facts.GetValue("COMPRESSION").GetText());
    EXPECT_EQ(8, facts.GetValue("COLORDEPTH").GetInt());
    EXPECT_EQ(1, facts.GetValue("CHANNELS").GetInt());
    EXPECT_EQ("2835ppm", facts.GetValue("DPIX").GetText());
    EXPECT_EQ(72, image.GetXResolution());  // 2835 dots per metre, truncated

    Load(image, BuildBmp(Core8()));
    EXPECT_FALSE(image.GetOwnImageInfo().HasKey("SUBTYPE"));
    EXPECT_EQ("0ppm", image.GetOwnImageInfo().GetValue("DPIY").GetText());
    EXPECT_EQ("RGB", image.GetOwnImageInfo().GetValue("COMPRESSION").GetText());
}

std::vector<uint8_t> WithField(std::vector<uint8_t> file, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return file;
}

TEST(BmpDecoder, DamagedFilesFailWithTheirReason)
{
    const std::vector<uint8_t> good = BuildBmp(TopDown24());
    BmpLayout delta = RunLength8();
    delta.pixels = {2, 1, 0, 2, 1, 1, 0, 0, 0, 1};
    BmpLayout sixteen = TopDown24();
    sixteen.bits = 16;
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        const char* text;
    } cases[] = {
        {"signature", WithField(good, 0, 0x4D43, 2), "Decoder error: Bitmap decoder: This isn't a bitmap."},
        {"too short", std::vector<uint8_t>(good.begin(), good.begin() + 10),
         "Decoder error: Bitmap decoder: This isn't a bitmap."},
        {"header size 64", WithField(good, 14, 64, 4),
         "Decoder error: Bitmap decoder: BITMAPINFOHEADER has wrong size."},
        {"16 bits", BuildBmp(sixteen), "Decoder error: Decoding bmp: Illegal bpp value."},
        {"48 bits", WithField(good, 28, 48, 2), "Decoder error: Decoding bmp: Illegal bpp value."},
        {"delta escape", BuildBmp(delta), "Decoder error: Encountered delta escape."},
        {"offset past the end", WithField(good, 10, 0x10000, 4),
         "Decoder error: Bitmap decoder: The pixel data offset lies outside the file."},
        {"offset in the header", WithField(good, 10, 20, 4),
         "Decoder error: Bitmap decoder: The pixel data offset lies outside the file."},
        {"rows cut short", std::vector<uint8_t>(good.begin(), good.end() - 1),
         "Decoder error: Bitmap decoder: The file is cut short."},
        {"table past the end", WithField(BuildBmp(V5WithGap()), 46, 0x40000000, 4),
         "Decoder error: Bitmap decoder: The file is cut short."},
        {"huge rows", WithField(WithField(good, 18, 0x7FFFFFFF, 4), 22, 0x7FFFFFFF, 4),
         "Decoder error: Bitmap decoder: The file is cut short."},
        {"width 0", WithField(good, 18, 0, 4), "Decoder error: Bitmap decoder: Invalid image size."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        EXPECT_EQ(c.text, ThrownText([&] { Load(image, c.file); }));
        EXPECT_FALSE(image.HasImage());
    }
}

}  // namespace
