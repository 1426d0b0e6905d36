// The PCX decoder against files Pillow and netpbm's ppmtopcx write, read
// back by Pillow (or, where Pillow has no reader, from the picture they
// were made of), and hand-made headers for every refusal.
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

struct PcxFields {
    int bits = 8;
    int planes = 1;
    int xMin = 0, yMin = 0, xMax = 1, yMax = 0;
    int bytesPerLine = 2;
    int manufacturer = 10;
    int encoding = 1;
};

std::vector<uint8_t> PcxFile(const PcxFields& f, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> file = {static_cast<uint8_t>(f.manufacturer), 5, static_cast<uint8_t>(f.encoding),
                                 static_cast<uint8_t>(f.bits)};
    for (int v : {f.xMin, f.yMin, f.xMax, f.yMax, 72, 72})
        PutLE16(file, static_cast<uint32_t>(v));
    file.resize(65, 0);
    file.push_back(static_cast<uint8_t>(f.planes));
    PutLE16(file, static_cast<uint32_t>(f.bytesPerLine));
    file.resize(128, 0);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// The 256-colour palette of an 8-bit file: entry i = (i, 255 - i, 3i).
std::vector<uint8_t> TrailingPalette()
{
    std::vector<uint8_t> bytes = {12};
    for (int i = 0; i < 256; ++i)
        for (int value : {i, 255 - i, (3 * i) % 256})
            bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

std::string LoadText(const std::vector<uint8_t>& file)
{
    TempDir dir;
    WriteBytes(dir.File("t.pcx"), file);
    CZAVImg image;
    return ThrownText([&] { image.LoadFromFile(dir.File("t.pcx").c_str(), zavifPCX); });
}

TEST(PcxDecoder, ToolFilesLoadToTheirPixels)
{
    TempDir dir;
    MakeWithPillow(dir, "pattern('1', 13, 5).save('pil1.pcx')\n"
                        "pattern('P', 13, 5).save('pil8.pcx')\n"
                        "pattern('L', 13, 5).save('pilgrey.pcx')\n"
                        "pattern('RGB', 13, 5).save('pil24.pcx')\n"
                        "pattern('1', 13, 5).save('bits.pbm')\n"
                        "pattern('P16', 13, 5).convert('RGB').save('sixteen.ppm')\n"
                        "pattern('P', 13, 5).convert('RGB').save('many.ppm')\n"
                        "pattern('RGB', 13, 5).save('true.ppm')");
    RunInDir(dir, "ppmtopcx bits.pbm > nb1.pcx 2>/dev/null");
    RunInDir(dir, "ppmtopcx sixteen.ppm > nbplanes.pcx 2>/dev/null");
    RunInDir(dir, "ppmtopcx -packed sixteen.ppm > nbpacked.pcx 2>/dev/null");
    RunInDir(dir, "ppmtopcx -8bit many.ppm > nb8.pcx 2>/dev/null");
    RunInDir(dir, "ppmtopcx -24bit true.ppm > nb24.pcx 2>/dev/null");
    const struct {
        const char* file;
        const char* reference;  // what Pillow reads the expected pixels from
        int depth;
        int bitsAndPlanes;
    } cases[] = {
        {"pil1.pcx", "pil1.pcx", 1, 1},        {"pil8.pcx", "pil8.pcx", 8, 8}, {"pilgrey.pcx", "pilgrey.pcx", 8, 8},
        {"pil24.pcx", "pil24.pcx", 24, 24},    {"nb1.pcx", "nb1.pcx", 1, 1},   {"nbplanes.pcx", "nbplanes.pcx", 8, 4},
        {"nbpacked.pcx", "sixteen.ppm", 8, 4}, {"nb8.pcx", "nb8.pcx", 8, 8},   {"nb24.pcx", "nb24.pcx", 24, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CZAVImg image;
        LoadPicture(image, dir.File(c.file), zavifPCX);
        EXPECT_EQ(c.depth, image.GetBitsPerPixel());
        const PillowView pillow = ReadWithPillow(dir, c.reference);
        EXPECT_EQ(13, image.GetWidth());
        EXPECT_EQ(5, image.GetHeight());
        EXPECT_EQ(pillow.rgb, ImageRgb(image));
        EXPECT_EQ(c.bitsAndPlanes, image.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt());
        EXPECT_EQ("ZSoft PCX", image.GetOwnImageInfo().GetValue("TYPE").GetText());
    }
}

// The palette is found right behind the data, or 769 bytes from the end
// when other bytes come first.
TEST(PcxDecoder, TrailingPaletteBehindTheDataOrFromTheEnd)
{
    TempDir dir;
    MakeWithPillow(dir, "pattern('P', 13, 5).save('a.pcx')\n"
                        "data = open('a.pcx', 'rb').read()\n"
                        "open('b.pcx', 'wb').write(data[:-769] + bytes([7, 7, 7]) + data[-769:])");
    const PillowView pillow = ReadWithPillow(dir, "a.pcx");
    for (const char* file : {"a.pcx", "b.pcx"}) {
        SCOPED_TRACE(file);
        CZAVImg image;
        LoadPicture(image, dir.File(file), zavifPCX);
        EXPECT_EQ(pillow.rgb, ImageRgb(image));
    }
    CZAVImg detected;
    LoadPicture(detected, dir.File("b.pcx"), zavifDetect);
    EXPECT_EQ(pillow.rgb, ImageRgb(detected));
}

TEST(PcxDecoder, RunLengthStream)
{
    PcxFields f;
    f.xMax = 2;
    f.bytesPerLine = 4;
    f.yMax = 1;
    // A count of 0 writes nothing and takes the byte after it; a run goes
    // on into the next row.
    std::vector<uint8_t> data = {0xC0, 0x09, 0x05, 0xC4, 0x06, 0x07, 0x08, 0x01};
    std::vector<uint8_t> palette = TrailingPalette();
    data.insert(data.end(), palette.begin(), palette.end());
    TempDir dir;
    WriteBytes(dir.File("t.pcx"), PcxFile(f, data));
    CZAVImg image;
    LoadPicture(image, dir.File("t.pcx"), zavifPCX);
    ASSERT_EQ(8, image.GetBitsPerPixel());
    EXPECT_EQ(5, image.GetPixel8(0, 0));
    EXPECT_EQ(6, image.GetPixel8(2, 0));
    EXPECT_EQ(6, image.GetPixel8(0, 1));
    EXPECT_EQ(7, image.GetPixel8(1, 1));
    EXPECT_EQ(8, image.GetPixel8(2, 1));
    uint32_t entry = 0;
    image.GetPalette().GetEntry(8, entry);
    EXPECT_EQ(MakePaletteEntry(8, 247, 24), entry | 0xFF000000);
}

TEST(PcxDecoder, RefusedHeadersAndStreams)
{
    PcxFields ok;
    std::vector<uint8_t> pixels = {1, 2};
    std::vector<uint8_t> palette = TrailingPalette();
    std::vector<uint8_t> withPalette = pixels;
    withPalette.insert(withPalette.end(), palette.begin(), palette.end());
    const auto with = [](PcxFields f, auto change) {
        change(f);
        return f;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        const char* text;
    } cases[] = {
        {"not pcx", PcxFile(with(ok, [](PcxFields& f) { f.manufacturer = 11; }), withPalette),
         "Decoder error: Error decoding pcx: Not a PCX file."},
        {"encoding", PcxFile(with(ok, [](PcxFields& f) { f.encoding = 2; }), withPalette),
         "Decoder error: File has unknown encoding scheme."},
        {"xmax below xmin", PcxFile(with(ok, [](PcxFields& f) { f.xMin = 5; }), withPalette),
         "Decoder error: Error decoding pcx: Invalid image size."},
        {"ymax below ymin", PcxFile(with(ok, [](PcxFields& f) { f.yMin = 1; }), withPalette),
         "Decoder error: Error decoding pcx: Invalid image size."},
        {"short rows", PcxFile(with(ok, [](PcxFields& f) { f.xMax = 19; }), withPalette),
         "Decoder error: Error decoding pcx: Bytes per line too small for the image width."},
        {"short 1-bit planes",
         PcxFile(with(ok, [](PcxFields& f) { f.bits = 1, f.planes = 4, f.xMax = 16, f.bytesPerLine = 2; }),
                 withPalette),
         "Decoder error: Error decoding pcx: Bytes per line too small for the image width."},
        {"five planes", PcxFile(with(ok, [](PcxFields& f) { f.bits = 1, f.planes = 5; }), withPalette),
         "Decoder error: Can't handle image with more than 4 planes."},
        {"two 2-bit planes", PcxFile(with(ok, [](PcxFields& f) { f.bits = 2, f.planes = 2; }), withPalette),
         "Decoder error: Can't handle bits per pixel image with planes."},
        {"three 4-bit planes", PcxFile(with(ok, [](PcxFields& f) { f.bits = 4, f.planes = 3; }), {1, 2, 3, 4, 5, 6}),
         "Decoder error: Can't handle more than 1 bit per pixel."},
        {"run past the end", PcxFile(ok, {0xC3, 0x05}), "Decoder error: repeat count spans end of image."},
        {"data short", PcxFile(ok, {0xC1}), "End of file reached while decoding.\n"},
        {"no palette", PcxFile(ok, pixels), "Decoder error: bad color map signature."},
        {"large and empty",
         PcxFile(with(ok, [](PcxFields& f) { f.xMax = 29999, f.yMax = 29999, f.bytesPerLine = 30000; }), withPalette),
         "End of file reached while decoding.\n"},
        {"past the pixel ceiling",
         PcxFile(with(ok, [](PcxFields& f) { f.xMax = 60000, f.yMax = 60000, f.bytesPerLine = 60002; }), withPalette),
         "Decoder error: Error decoding pcx: Invalid image size."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, LoadText(c.file));
    }
}

}  // namespace
