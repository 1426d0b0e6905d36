// The portable map encoders: both forms read back in netpbm (pnmfile,
// pamtopnm) and Pillow with the image's pixels, a PBM keeps its black,
// and the text layout.
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

void Save(CZAVImg& image, const std::string& path, int format, bool binary)
{
    image.m_prepareBeforeSave = 0;
    image.m_portableMapOption = binary ? 1 : 0;
    int64_t bytes = 0;
    image.SaveToFile(path.c_str(), format, &bytes);
    EXPECT_EQ(static_cast<int64_t>(ReadBytes(path).size()), bytes);
}

TEST(PortableMapEncoder, BothFormsReadBackInNetpbmAndPillow)
{
    const struct {
        int depth;
        int format;
        const char* netpbmType;
    } cases[] = {{1, zavifPBM, "PBM"}, {8, zavifPGM, "PGM"}, {24, zavifPPM, "PPM"}};
    for (const auto& c : cases) {
        for (bool binary : {false, true}) {
            SCOPED_TRACE(std::string(c.netpbmType) + (binary ? " binary" : " text"));
            CZAVImg image;
            FillPatternImage(image, 37, 5, c.depth);
            if (c.depth == 8)
                image.GetPalette().CreateGrayScale();
            TempDir dir;
            Save(image, dir.File("out.pnm"), c.format, binary);
            const std::string facts = RunInDir(dir, "pnmfile out.pnm");
            EXPECT_NE(std::string::npos, facts.find(std::string(c.netpbmType) + (binary ? " raw" : " plain"))) << facts;
            EXPECT_NE(std::string::npos, facts.find("37 by 5")) << facts;
            RunInDir(dir, "pamtopnm < out.pnm > back.pnm");
            EXPECT_EQ(ImageRgb(image), ReadWithPillow(dir, "back.pnm").rgb);
            EXPECT_EQ(ImageRgb(image), ReadWithPillow(dir, "out.pnm").rgb);
        }
    }
}

// Black stays black through a load and a save in either form.
TEST(PortableMapEncoder, PbmRoundTripKeepsBlack)
{
    TempDir dir;
    MakeWithPillow(dir, "pattern('1', 21, 4).save('src.pbm')");
    const std::vector<uint8_t> source = ReadWithPillow(dir, "src.pbm").rgb;
    for (bool binary : {false, true}) {
        CZAVImg image;
        LoadPicture(image, dir.File("src.pbm"), zavifPBM);
        Save(image, dir.File("again.pbm"), zavifPBM, binary);
        EXPECT_EQ(source, ReadWithPillow(dir, "again.pbm").rgb);
        // A black-first palette is written the same way.
        CZAVImg flipped;
        LoadPicture(flipped, dir.File("src.pbm"), zavifPBM);
        flipped.InvertImage();
        flipped.InvertPalette();
        ASSERT_EQ(source, ImageRgb(flipped));
        Save(flipped, dir.File("flipped.pbm"), zavifPBM, binary);
        EXPECT_EQ(source, ReadWithPillow(dir, "flipped.pbm").rgb);
    }
}

TEST(PortableMapEncoder, TextLayout)
{
    CZAVImg image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    image.SetPixel24(0, 0, RGB(1, 2, 3));
    image.SetPixel24(1, 0, RGB(40, 50, 60));
    image.SetPixel24(0, 1, RGB(255, 0, 7));
    image.SetPixel24(1, 1, RGB(8, 9, 10));
    TempDir dir;
    Save(image, dir.File("t.ppm"), zavifPPM, false);
    EXPECT_EQ("P3\n2 2\n255\n1 2 3  40 50 60  \n255 0 7  8 9 10  \n", ReadText(dir.File("t.ppm")));

    CZAVImg grey;
    FillPatternImage(grey, 2, 2, 8);
    grey.m_prepareBeforeSave = 0;
    int64_t bytes = 0;
    EXPECT_EQ("Decoder error: PPM export requires 24bpp RGB image!; ",
              ThrownText([&] { grey.SaveToFile(dir.File("g.ppm").c_str(), zavifPPM, &bytes); }));
}

}  // namespace
