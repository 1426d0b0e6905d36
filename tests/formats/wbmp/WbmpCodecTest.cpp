// WBMP files from netpbm's pbmtowbmp load to the PBM's pixels, and ours
// convert back with wbmptopbm to the same bits, sizes of 128 pixels and
// more included (multi-byte integers).
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

const int kSizes[][2] = {{9, 1}, {200, 130}, {1000, 3}};

TEST(WbmpCodec, NetpbmFilesLoadToThePbmPixels)
{
    for (const auto& size : kSizes) {
        const std::string name = std::to_string(size[0]) + "x" + std::to_string(size[1]);
        SCOPED_TRACE(name);
        TempDir dir;
        MakeWithPillow(dir,
                       "pattern('1', " + std::to_string(size[0]) + ", " + std::to_string(size[1]) + ").save('a.pbm')");
        RunInDir(dir, "pbmtowbmp a.pbm > a.wbmp");
        CZAVImg image;
        LoadPicture(image, dir.File("a.wbmp"), zavifWBMP);
        EXPECT_EQ(1, image.GetBitsPerPixel());
        EXPECT_EQ(ReadWithPillow(dir, "a.pbm").rgb, ImageRgb(image));
        CZAVImg detected;
        LoadPicture(detected, dir.File("a.wbmp"), zavifDetect);
        EXPECT_EQ(ImageRgb(image), ImageRgb(detected));
    }
}

// Both palette orders: the file says 1 for white either way.
TEST(WbmpCodec, OurFilesConvertBackToTheSameBits)
{
    for (const auto& size : kSizes) {
        for (bool whiteFirst : {false, true}) {
            SCOPED_TRACE(std::to_string(size[0]) + (whiteFirst ? " white first" : " black first"));
            CZAVImg image;
            FillPatternImage(image, size[0], size[1], 1);
            if (whiteFirst)
                image.GetPalette().CreateWhiteBlack();
            image.m_prepareBeforeSave = 0;
            TempDir dir;
            int64_t bytes = 0;
            image.SaveToFile(dir.File("out.wbmp").c_str(), zavifWBMP, &bytes);
            EXPECT_EQ(static_cast<int64_t>(ReadBytes(dir.File("out.wbmp")).size()), bytes);
            RunInDir(dir, "wbmptopbm out.wbmp > back.pbm");
            EXPECT_EQ(ImageRgb(image), ReadWithPillow(dir, "back.pbm").rgb);
        }
    }
}

TEST(WbmpCodec, HeaderCases)
{
    TempDir dir;
    WriteBytes(dir.File("a.wbmp"), {0, 0, 8, 2, 0xF0, 0x0F});
    CZAVImg image;
    LoadPicture(image, dir.File("a.wbmp"), zavifWBMP);
    EXPECT_EQ(8, image.GetWidth());
    EXPECT_EQ(2, image.GetHeight());
    // 1 is white: the first four pixels of the first row.
    const std::vector<uint8_t> rgb = ImageRgb(image);
    EXPECT_EQ(std::vector<uint8_t>({255, 255, 255}), std::vector<uint8_t>(rgb.begin(), rgb.begin() + 3));
    EXPECT_EQ(std::vector<uint8_t>({0, 0, 0}), std::vector<uint8_t>(rgb.begin() + 12, rgb.begin() + 15));
    const struct {
        std::vector<uint8_t> file;
        const char* text;
    } refused[] = {{{1, 0, 8, 2, 0, 0}, "Decoder error: Unsupported WBMP type"},
                   {{0, 0, 0, 2, 0, 0}, "Decoder error: Invalid WBMP type"},
                   {{0, 0, 0x81, 0xFA, 0x01, 1, 0}, "Decoder error: Invalid WBMP type"},  // 32001
                   {{0, 0, 0x81, 0x80, 0x80, 0x01, 1}, "Decoder error: Invalid WBMP type"}};
    for (const auto& c : refused) {
        WriteBytes(dir.File("b.wbmp"), c.file);
        CZAVImg other;
        EXPECT_EQ(c.text, ThrownText([&] { LoadPicture(other, dir.File("b.wbmp"), zavifWBMP); }));
    }
}

TEST(WbmpCodec, EncoderSizesAndRefusal)
{
    TempDir dir;
    CZAVImg small;
    FillPatternImage(small, 9, 1, 1);
    small.m_prepareBeforeSave = 0;
    int64_t bytes = 0;
    small.SaveToFile(dir.File("s.wbmp").c_str(), zavifWBMP, &bytes);
    EXPECT_EQ(6, bytes);
    CZAVImg wide;
    FillPatternImage(wide, 200, 1, 1);
    wide.m_prepareBeforeSave = 0;
    wide.SaveToFile(dir.File("w.wbmp").c_str(), zavifWBMP, &bytes);
    const std::vector<uint8_t> file = ReadBytes(dir.File("w.wbmp"));
    EXPECT_EQ(std::vector<uint8_t>({0, 0, 0x81, 0x48, 1}), std::vector<uint8_t>(file.begin(), file.begin() + 5));
    CZAVImg grey;
    FillPatternImage(grey, 4, 4, 8);
    grey.m_prepareBeforeSave = 0;
    EXPECT_EQ("Decoder error: Encoding WBMP: Illegal bpp value. Requires 1bit image to export!; ",
              ThrownText([&] { grey.SaveToFile(dir.File("g.wbmp").c_str(), zavifWBMP, &bytes); }));
}

}  // namespace
