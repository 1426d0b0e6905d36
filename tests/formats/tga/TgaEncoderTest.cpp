// The TGA encoder: colour-mapped, true-colour and masked files open in
// Pillow with the image's pixels and alpha; descriptors and refusals.
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

TEST(TgaEncoder, FilesOpenInPillowWithPixelsAndAlpha)
{
    const struct {
        const char* name;
        int depth;
        bool mask;
        int pixelDepth;
        int descriptor;
    } cases[] = {{"mapped", 8, false, 8, 0x20}, {"true colour", 24, false, 24, 0x20}, {"masked", 24, true, 32, 0x28}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillPatternImage(image, 11, 6, c.depth);
        if (c.mask)
            AddPatternMask(image);
        image.m_prepareBeforeSave = 0;
        TempDir dir;
        int64_t bytes = 0;
        image.SaveToFile(dir.File("out.tga").c_str(), zavifTGA, &bytes);
        const std::vector<uint8_t> file = ReadBytes(dir.File("out.tga"));
        EXPECT_EQ(static_cast<int64_t>(file.size()), bytes);
        EXPECT_EQ(c.pixelDepth, file[16]);
        EXPECT_EQ(c.descriptor, file[17]);
        const PillowView pillow = ReadWithPillow(dir, "out.tga");
        EXPECT_EQ(ImageRgb(image), pillow.rgb);
        EXPECT_EQ(ImageMask(image), pillow.alpha);
        CZAVImg again;
        LoadPicture(again, dir.File("out.tga"), zavifTGA);
        EXPECT_EQ(ImageRgb(image), ImageRgb(again));
        EXPECT_EQ(ImageMask(image), ImageMask(again));
    }
}

TEST(TgaEncoder, RefusesOtherDepths)
{
    for (int depth : {1, 16}) {
        CZAVImg image;
        FillPatternImage(image, 4, 4, depth);
        image.m_prepareBeforeSave = 0;
        TempDir dir;
        int64_t bytes = 0;
        // The save path adds its own separator to the codec text.
        EXPECT_EQ("Decoder error: TGA export requires 8 or 24bpp image!; ",
                  ThrownText([&] { image.SaveToFile(dir.File("x.tga").c_str(), zavifTGA, &bytes); }));
    }
}

}  // namespace
