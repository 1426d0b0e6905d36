// Icons and cursors made by icoutils' icotool decode as Pillow shows them
// over white; hand-made directories show the picking rule and the checks
// of each entry against the file.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/RasterTools.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

// The largest picture of the file as Pillow reads it, laid over white.
const char kOverWhite[] = R"(
from PIL import Image
image = Image.open(sys.argv[2])
image.load()
rgba = image.convert('RGBA')
white = Image.new('RGBA', rgba.size, (255, 255, 255, 255))
white.alpha_composite(rgba)
open(sys.argv[2] + '.white', 'wb').write(white.convert('RGB').tobytes())
)";

std::vector<uint8_t> PillowOverWhite(const TempDir& dir, const std::string& file)
{
    TempDir scripts;
    WriteText(scripts.File("white.py"), std::string("import sys\n") + kOverWhite);
    const RunResult run =
        Run("/usr/bin/python3 " + ShellQuote(scripts.File("white.py")) + " x " + ShellQuote(dir.File(file)));
    EXPECT_EQ(0, run.exitCode) << run.output;
    return ReadBytes(dir.File(file) + ".white");
}

// Pictures whose transparent pixels are (0, 0, 0, 0), as icon masks keep
// them; two-colour, sixteen-colour and true-colour ones at three sizes.
const char kSources[] = R"(
for w in (16, 32, 48):
    im = Image.new('RGBA', (w, w))
    im.putdata([((x * 9 + y) % 256, (y * 7 + x * 3) % 256, (x * y) % 256, 255) if (x + y) % 5 else (0, 0, 0, 0)
                for y in range(w) for x in range(w)])
    im.save('true%d.png' % w)
    pattern('P16', w, w).convert('RGBA').save('sixteen%d.png' % w)
    pattern('1', w, w).convert('RGBA').save('two%d.png' % w)
)";

TEST(IconDecoder, IcotoolFilesDecodeAsPillowShowsThem)
{
    TempDir dir;
    MakeWithPillow(dir, kSources);
    const struct {
        const char* file;
        const char* command;
        int format;
        int bits;
    } cases[] = {
        {"two.ico", "icotool -c -b 1 -o two.ico two16.png two32.png", zavifICO, 1},
        {"four.ico", "icotool -c -b 4 -o four.ico sixteen16.png sixteen48.png sixteen32.png", zavifICO, 4},
        {"eight.ico", "icotool -c -b 8 -o eight.ico sixteen16.png sixteen32.png", zavifICO, 8},
        {"true24.ico", "icotool -c -b 24 -o true24.ico true16.png true32.png true48.png", zavifICO, 24},
        {"true32.ico", "icotool -c -b 32 -o true32.ico true48.png true16.png", zavifICO, 32},
        {"arrow.cur", "icotool -c --cursor -X 3 -Y 4 -b 32 -o arrow.cur true32.png", zavifCUR, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        RunInDir(dir, std::string(c.command) + " 2>&1");
        CZAVImg image;
        LoadPicture(image, dir.File(c.file), c.format);
        EXPECT_EQ(24, image.GetBitsPerPixel());
        EXPECT_EQ(c.bits, image.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt());
        EXPECT_EQ(PillowOverWhite(dir, c.file), ImageRgb(image));
        CZAVImg detected;
        LoadPicture(detected, dir.File(c.file), zavifDetect);
        EXPECT_EQ(ImageRgb(image), ImageRgb(detected));
    }
}

// One directory entry's bitmap: 40-byte header (height of both bitmaps),
// colour table, colour rows and mask rows, both bottom-up.
struct IconEntry {
    int width = 2;
    int bits = 24;
    std::vector<uint8_t> colourRows;  // stored rows, padded
    std::vector<uint8_t> maskRows;
};

std::vector<uint8_t> EntryBytes(const IconEntry& e)
{
    std::vector<uint8_t> bytes;
    PutLE32(bytes, 40);
    PutLE32(bytes, static_cast<uint32_t>(e.width));
    PutLE32(bytes, static_cast<uint32_t>(2 * e.width));
    PutLE16(bytes, 1);
    PutLE16(bytes, static_cast<uint32_t>(e.bits));
    bytes.resize(40, 0);
    if (e.bits <= 8)
        for (int i = 0; i < (1 << e.bits); ++i)
            PutLE32(bytes, static_cast<uint32_t>(i * 0x010101));
    bytes.insert(bytes.end(), e.colourRows.begin(), e.colourRows.end());
    bytes.insert(bytes.end(), e.maskRows.begin(), e.maskRows.end());
    return bytes;
}

// A square entry of the size and depth with zero rows.
IconEntry Square(int width, int bits)
{
    IconEntry e;
    e.width = width;
    e.bits = bits;
    const size_t colourStride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
    e.colourRows.assign(colourStride * width, 0);
    e.maskRows.assign(maskStride * width, 0);
    return e;
}

std::vector<uint8_t> IconFile(const std::vector<IconEntry>& entries, int type = 1)
{
    std::vector<uint8_t> file;
    PutLE16(file, 0);
    PutLE16(file, static_cast<uint32_t>(type));
    PutLE16(file, static_cast<uint32_t>(entries.size()));
    std::vector<uint8_t> images;
    const uint32_t start = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const IconEntry& e : entries) {
        const std::vector<uint8_t> bytes = EntryBytes(e);
        file.insert(file.end(), {static_cast<uint8_t>(e.width), static_cast<uint8_t>(e.width), 0, 0});
        PutLE16(file, 1);
        PutLE16(file, static_cast<uint32_t>(e.bits));
        PutLE32(file, static_cast<uint32_t>(bytes.size()));
        PutLE32(file, start + static_cast<uint32_t>(images.size()));
        images.insert(images.end(), bytes.begin(), bytes.end());
    }
    file.insert(file.end(), images.begin(), images.end());
    return file;
}

std::string Decode(const std::vector<uint8_t>& file, int format, CZAVImg& image)
{
    TempDir dir;
    WriteBytes(dir.File("t.ico"), file);
    return ThrownText([&] { LoadPicture(image, dir.File("t.ico"), format); });
}

TEST(IconDecoder, PicksTheWidestThenDeepestImage)
{
    const struct {
        std::vector<IconEntry> entries;
        int width;
        int bits;
    } cases[] = {
        {{Square(16, 4), Square(32, 8), Square(32, 4)}, 32, 8},
        {{Square(32, 8), Square(48, 4)}, 32, 8},
        {{Square(16, 8), Square(16, 8)}, 16, 8},
        {{Square(16, 1), Square(16, 24), Square(32, 24)}, 32, 24},
    };
    for (const auto& c : cases) {
        CZAVImg image;
        EXPECT_EQ("(nothing thrown)", Decode(IconFile(c.entries), zavifICO, image));
        EXPECT_EQ(c.width, image.GetWidth());
        EXPECT_EQ(c.bits, image.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt());
        EXPECT_EQ(24, image.GetBitsPerPixel());
    }
}

// Mask bit 1 over colour 0 is white; mask bit 0 shows the colour.
TEST(IconDecoder, MaskAgainstWhite)
{
    IconEntry e;
    e.width = 2;
    e.bits = 24;
    // Two bottom-up rows of blue, green, red, padded to 8 bytes.
    e.colourRows = {30, 20, 10, 0, 0, 0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0};
    e.maskRows = {0x40, 0, 0, 0, 0x80, 0, 0, 0};
    CZAVImg image;
    EXPECT_EQ("(nothing thrown)", Decode(IconFile({e}), zavifICO, image));
    EXPECT_EQ(std::vector<uint8_t>({255, 255, 255, 4, 5, 6, 10, 20, 30, 255, 255, 255}), ImageRgb(image));
}

TEST(IconDecoder, TypesAndRefusedEntries)
{
    const std::vector<uint8_t> cursor = IconFile({Square(16, 8)}, 2);
    CZAVImg asIcon, asCursor;
    EXPECT_EQ("Decoder error: Icon decoder: This isn't an Icon.", Decode(cursor, zavifICO, asIcon));
    EXPECT_EQ("(nothing thrown)", Decode(cursor, zavifCUR, asCursor));
    EXPECT_EQ("Windows Cursor files (CUR)", asCursor.GetOwnImageInfo().GetValue("TYPE").GetText());
    CZAVImg notCursor;
    EXPECT_EQ("Decoder error: Cursor decoder: This isn't a Cursor.",
              Decode(IconFile({Square(16, 8)}), zavifCUR, notCursor));

    std::vector<uint8_t> pastFile = IconFile({Square(16, 8)});
    pastFile[6 + 12 + 1] = 0x40;  // offset far beyond the file
    std::vector<uint8_t> longEntry = IconFile({Square(16, 8)});
    longEntry[6 + 8 + 2] = 0x10;  // bytes in resource beyond the file
    std::vector<uint8_t> shortEntry = IconFile({Square(16, 8)});
    shortEntry[6 + 8] = static_cast<uint8_t>(shortEntry[6 + 8] - 4);  // the mask's last row is cut
    std::vector<uint8_t> tinyEntry = IconFile({Square(16, 8)});
    tinyEntry[6 + 8] = 20;
    tinyEntry[6 + 9] = 0;
    std::vector<uint8_t> png = IconFile({Square(16, 8)});
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    std::copy(std::begin(signature), std::end(signature), png.begin() + 22);
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        const char* text;
    } refused[] = {
        {"offset past the file", pastFile, "Decoder error: Error Seeking in File"},
        {"length past the file", longEntry, "Decoder error: Error Seeking in File"},
        {"mask past the entry", shortEntry, "Decoder error: Decoding Icon: Invalid Icondata."},
        {"header past the entry", tinyEntry, "Decoder error: Error Converting to Internal Format!"},
        {"png entry", png, "Decoder error: Error Converting to Internal Format!"},
        {"no entries", IconFile({}), "Decoder error: Decoding Icon: Illegal Icon."},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        EXPECT_EQ(c.text, Decode(c.file, zavifICO, image));
    }
}

TEST(IconDecoder, FileInformationOfA256ColourIcon)
{
    TempDir dir;
    WriteBytes(dir.File("t.ico"), IconFile({Square(32, 8)}));
    CZAVImg image;
    image.GetFileInfoFromFile(dir.File("t.ico").c_str(), zavifICO);
    EXPECT_EQ(32, image.GetOwnImageInfo().GetValue("WIDTH").GetInt());
    EXPECT_EQ(8, image.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt());
    LoadPicture(image, dir.File("t.ico"), zavifICO);
    EXPECT_EQ(24, image.GetBitsPerPixel());
}

}  // namespace
