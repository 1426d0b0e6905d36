// The TGA decoder against Pillow's files (pixels and alpha as Pillow reads
// them) and hand-made fixtures for 16-bit alpha, run-length packets that
// cross rows, colour maps past 256 entries and the refusals.
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

struct TgaFields {
    int mapType = 0;
    int imageType = 2;
    int mapFirst = 0;
    int mapLength = 0;
    int mapBits = 0;
    int width = 1;
    int height = 1;
    int depth = 24;
    int descriptor = 0x20;
};

std::vector<uint8_t> TgaFile(const TgaFields& f, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> file = {0, static_cast<uint8_t>(f.mapType), static_cast<uint8_t>(f.imageType)};
    PutLE16(file, static_cast<uint32_t>(f.mapFirst));
    PutLE16(file, static_cast<uint32_t>(f.mapLength));
    file.push_back(static_cast<uint8_t>(f.mapBits));
    for (int v : {0, 0, f.width, f.height})
        PutLE16(file, static_cast<uint32_t>(v));
    file.push_back(static_cast<uint8_t>(f.depth));
    file.push_back(static_cast<uint8_t>(f.descriptor));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void Load(CZAVImg& image, const std::vector<uint8_t>& file)
{
    TempDir dir;
    WriteBytes(dir.File("t.tga"), file);
    LoadPicture(image, dir.File("t.tga"), zavifTGA);
}

TEST(TgaDecoder, PillowFilesLoadWithTheirPixelsAndAlpha)
{
    TempDir dir;
    std::string make;
    for (const char* mode : {"1", "L", "P", "RGB", "RGBA"})
        for (const char* rle : {"None", "'tga_rle'"})
            for (int orientation : {-1, 1})
                if (std::string(mode) != "1" || std::string(rle) == "None")
                    make += std::string("pattern('") + mode + "', 13, 5).save('" + mode + "_" +
                            (rle[0] == 'N' ? "raw" : "rle") + "_" + std::to_string(orientation) +
                            ".tga', compression=" + rle + ", orientation=" + std::to_string(orientation) + ")\n";
    MakeWithPillow(dir, make);
    for (const char* mode : {"1", "L", "P", "RGB", "RGBA"})
        for (const char* rle : {"raw", "rle"})
            for (const char* orientation : {"-1", "1"}) {
                const std::string file = std::string(mode) + "_" + rle + "_" + orientation + ".tga";
                if (!FileExists(dir.File(file)))
                    continue;
                SCOPED_TRACE(file);
                CZAVImg image;
                LoadPicture(image, dir.File(file), zavifTGA);
                const PillowView pillow = ReadWithPillow(dir, file);
                EXPECT_EQ(pillow.rgb, ImageRgb(image));
                EXPECT_EQ(pillow.alpha, ImageMask(image));
                EXPECT_EQ(std::string(mode) == "1"       ? 1
                          : std::string(mode).size() > 1 ? 24
                                                         : 8,
                          image.GetBitsPerPixel());
            }
}

// Alpha of 16-bit pixels: the attribute bit when the descriptor announces
// one, else opaque.
TEST(TgaDecoder, SixteenBitAlpha)
{
    TgaFields f;
    f.width = 2;
    f.depth = 16;
    // Red 31 with the attribute bit, then blue 31 without it.
    const std::vector<uint8_t> pixels = {0x00, 0xFC, 0x1F, 0x00};
    for (int descriptor : {0x21, 0x20}) {
        SCOPED_TRACE(descriptor);
        f.descriptor = descriptor;
        CZAVImg image;
        Load(image, TgaFile(f, pixels));
        EXPECT_EQ(std::vector<uint8_t>({248, 0, 0, 0, 0, 248}), ImageRgb(image));
        EXPECT_EQ(descriptor == 0x21 ? std::vector<uint8_t>({255, 0}) : std::vector<uint8_t>({255, 255}),
                  ImageMask(image));
    }
}

// Packets go on across rows and stop at the last one; 0x80 repeats once,
// 0xFF 128 times.
TEST(TgaDecoder, RunLengthPacketsCrossRows)
{
    TgaFields f;
    f.imageType = 10;
    f.width = 3;
    f.height = 2;
    f.descriptor = 0x20;
    CZAVImg crossing;
    Load(crossing, TgaFile(f, {0x83, 1, 2, 3, 0x85, 4, 5, 6}));
    EXPECT_EQ(std::vector<uint8_t>({3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4, 6, 5, 4}), ImageRgb(crossing));

    f.width = 129;
    f.height = 1;
    CZAVImg counts;
    Load(counts, TgaFile(f, {0xFF, 0, 0, 9, 0x80, 0, 0, 7}));
    EXPECT_EQ(RGB(9, 0, 0), counts.GetPixel24(127, 0));
    EXPECT_EQ(RGB(7, 0, 0), counts.GetPixel24(128, 0));
}

// A map from entry 250 with ten entries fills 250..255 and skips the rest;
// the pixels behind the map are still found.
TEST(TgaDecoder, ColourMapPastTheTable)
{
    TgaFields f;
    f.mapType = 1;
    f.imageType = 1;
    f.mapFirst = 250;
    f.mapLength = 10;
    f.mapBits = 24;
    f.width = 2;
    f.depth = 8;
    std::vector<uint8_t> body;
    for (int i = 0; i < 10; ++i)
        body.insert(body.end(), {static_cast<uint8_t>(i), 0, 0});
    body.insert(body.end(), {255, 3});
    CZAVImg image;
    Load(image, TgaFile(f, body));
    ASSERT_EQ(8, image.GetBitsPerPixel());
    EXPECT_EQ(std::vector<uint8_t>({0, 0, 5, 0, 0, 0}), ImageRgb(image));
}

TEST(TgaDecoder, Refusals)
{
    TgaFields mapped;
    mapped.mapType = 1;
    mapped.imageType = 1;
    mapped.mapLength = 1;
    mapped.mapBits = 8;
    mapped.depth = 8;
    TgaFields bitsRle;
    bitsRle.imageType = 11;
    bitsRle.depth = 1;
    TgaFields unknown;
    unknown.imageType = 5;
    TgaFields deep;
    deep.depth = 48;
    TgaFields large;
    large.width = 30000;
    large.height = 30000;
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        const char* text;
    } cases[] = {
        {"8-bit map entries", TgaFile(mapped, {0, 0}), "Decoder error: Invalid color map entry size."},
        {"1-bit run lengths", TgaFile(bitsRle, {0x80, 0}), "Decoder error: Can't handle bits per pixel."},
        {"unknown type", TgaFile(unknown, {0, 0, 0}), "Decoder error: Unknown TGA image type."},
        {"48 bits", TgaFile(deep, {0, 0, 0}), "Decoder error: Can't handle bits per pixel."},
        {"short data", TgaFile(large, {0, 0, 0}), "End of file reached while decoding.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        EXPECT_EQ(c.text, ThrownText([&] { Load(image, c.file); }));
    }
}

}  // namespace
