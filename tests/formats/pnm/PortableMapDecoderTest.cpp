// The portable map decoders against netpbm's and Pillow's files in all six
// forms and maxima of 1, 15, 255 and 65535 (the expected pixels are what
// Pillow reads from netpbm's 8-bit form of the same file), and the text
// cases the formats define.
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

struct MapKind {
    const char* extension;
    const char* mode;
    int format;
};

const MapKind kKinds[] = {{"pbm", "1", zavifPBM}, {"pgm", "L", zavifPGM}, {"ppm", "RGB", zavifPPM}};

void ExpectLoadsLike(const TempDir& dir, const std::string& file, const std::string& reference, int format)
{
    SCOPED_TRACE(file);
    CZAVImg image;
    LoadPicture(image, dir.File(file), format);
    EXPECT_EQ(ReadWithPillow(dir, reference).rgb, ImageRgb(image));
}

TEST(PortableMapDecoder, NetpbmAndPillowFilesInEveryForm)
{
    for (const MapKind& kind : kKinds) {
        TempDir dir;
        const std::string src = std::string("src.") + kind.extension;
        MakeWithPillow(dir, std::string("pattern('") + kind.mode + "', 23, 7).save('" + src + "')");
        ExpectLoadsLike(dir, src, src, kind.format);
        if (kind.format == zavifPBM) {
            RunInDir(dir, "pnmtopnm -plain " + src + " > plain.pbm");
            ExpectLoadsLike(dir, "plain.pbm", src, kind.format);
            continue;
        }
        for (int maxValue : {15, 255, 65535}) {
            const std::string base = "m" + std::to_string(maxValue);
            RunInDir(dir, "pamdepth " + std::to_string(maxValue) + " " + src + " > " + base + ".raw");
            RunInDir(dir, "pnmtopnm -plain " + base + ".raw > " + base + ".plain");
            RunInDir(dir, "pamdepth 255 " + base + ".raw > " + base + ".ref." + kind.extension);
            ExpectLoadsLike(dir, base + ".raw", base + ".ref." + kind.extension, kind.format);
            ExpectLoadsLike(dir, base + ".plain", base + ".ref." + kind.extension, kind.format);
        }
    }
}

std::string LoadText(const std::string& text, int format, CZAVImg& image)
{
    TempDir dir;
    WriteText(dir.File("t.pnm"), text);
    return ThrownText([&] { LoadPicture(image, dir.File("t.pnm"), format); });
}

TEST(PortableMapDecoder, TextCases)
{
    CZAVImg ppm;
    EXPECT_EQ("(nothing thrown)", LoadText("P3\n# made by hand\n2 1\n255\n255 0 0 0 255 0\n", zavifPPM, ppm));
    EXPECT_EQ(std::vector<uint8_t>({255, 0, 0, 0, 255, 0}), ImageRgb(ppm));
    EXPECT_EQ("Text", ppm.GetOwnImageInfo().GetValue("COMPRESSION").GetText());

    // Plain PBM digits need no white space between them.
    CZAVImg pbm;
    EXPECT_EQ("(nothing thrown)", LoadText("P1\n4 1\n0110\n", zavifPBM, pbm));
    EXPECT_EQ(std::vector<uint8_t>({255, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 255}), ImageRgb(pbm));

    // The maximum scales the samples.
    CZAVImg scaled;
    EXPECT_EQ("(nothing thrown)", LoadText("P2 3 1 15 0 7 15", zavifPGM, scaled));
    EXPECT_EQ(0, scaled.GetPixel8(0, 0));
    EXPECT_EQ(119, scaled.GetPixel8(1, 0));
    EXPECT_EQ(255, scaled.GetPixel8(2, 0));

    // A line feed as the first raster byte stays a pixel.
    CZAVImg binary;
    EXPECT_EQ("(nothing thrown)", LoadText(std::string("P5\n2 1\n255\n\n\x20", 13), zavifPGM, binary));
    EXPECT_EQ(10, binary.GetPixel8(0, 0));
    EXPECT_EQ(32, binary.GetPixel8(1, 0));

    const struct {
        const char* text;
        int format;
        const char* error;
    } refused[] = {
        {"P7\n1 1\n255\n0 0 0\n", zavifPPM, "Invalid PPM Header!"},
        {"P2\n1 1\n0\n0\n", zavifPGM, "Invalid PGM Header!"},
        {"P2\n1 1\n65536\n0\n", zavifPGM, "Invalid PGM Header!"},
        {"P2\n1\n", zavifPGM, "Invalid PGM Header!"},
        {"P2\n2 1\n255\n300 1\n", zavifPGM, "Invalid PGM data!"},
        {"P3\n1 1\n255\n1 x 2\n", zavifPPM, "Invalid PPM data!"},
        {"P1\n2 1\n2 1\n", zavifPBM, "Invalid PBM data!"},
        {"P5\n2 1\n15\n\x03\x10", zavifPGM, "Invalid PGM data!"},
        {"P6\n3000 3000\n255\n", zavifPPM, "End of file reached while decoding.\n"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.text);
        CZAVImg image;
        EXPECT_EQ(c.error, LoadText(c.text, c.format, image));
    }
}

}  // namespace
