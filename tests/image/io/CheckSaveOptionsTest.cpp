#include <gtest/gtest.h>

#include "image/object/ZAVImg.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::ThrownText;

namespace {

void FillPattern(CZAVImg& image, int depth)
{
    ASSERT_EQ(image.Create(9, 5, depth), 1);
    BYTE* bits = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        bits[i] = static_cast<BYTE>(i * 37 + 11);
}

TEST(CheckSaveOptions, FitsDepthAndSettingsToTheFormat)
{
    const struct {
        const char* name;
        int format;
        int depth;
        int tiffCompression;
        int wantDepth;
        int wantCompression;
    } cases[] = {
        {"tiff 24 lzw", 5, 24, 5, 8, 5},
        {"tiff 24 none", 5, 24, 1, 24, 32773},
        {"tiff 24 jpeg", 5, 24, 7, 24, 7},
        {"tiff 8 jpeg", 5, 8, 7, 8, 32773},
        {"tiff 1 none", 5, 1, 1, 1, 4},
        {"tiff 1 lzw", 5, 1, 5, 1, 5},
        {"tiff 32 deflate", 5, 32, 32946, 24, 32946},
        {"pdf 24 lzw", 11, 24, 5, 8, 5},
        {"pdf 1 packbits", 11, 1, 32773, 1, 4},
        {"bmp 32", 1, 32, 1, 24, 1},
        {"png 32", 6, 32, 1, 32, 1},
        {"gif 24", 15, 24, 1, 8, 1},
        {"wbmp 8", 16, 8, 1, 1, 1},
        {"pgm 24", 13, 24, 1, 8, 1},
        {"jpeg 1", 4, 1, 1, 24, 1},
        {"unknown 32", 200, 32, 1, 32, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillPattern(image, c.depth);
        image.m_tiffCompression = c.tiffCompression;
        image.CheckSaveOptions(c.format);
        EXPECT_EQ(image.GetBitsPerPixel(), c.wantDepth);
        EXPECT_EQ(image.m_tiffCompression, c.wantCompression);
    }
}

TEST(CheckSaveOptions, WritesTheFormatSettings)
{
    CZAVImg image;
    FillPattern(image, 8);
    image.GetPalette().CreateGrayScale();
    image.CheckSaveOptions(4);
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
    EXPECT_EQ(image.m_jpegGray, 1);
    EXPECT_EQ(image.m_jpegQuality, 75);
    image.CheckSaveOptions(6);
    EXPECT_EQ(image.m_pngColorType, 3);
    image.m_gif.comments.push_back("x");
    image.CheckSaveOptions(15);
    EXPECT_TRUE(image.m_gif.comments.empty());
    EXPECT_EQ(image.m_gif.values[5], 1);
    image.CheckSaveOptions(14);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.m_portableMapOption, 1);
}

TEST(CheckSaveOptions, RefusesPdfCodingsBeforeTouchingPixels)
{
    const struct {
        int coding;
        int compression;
        const char* text;
    } cases[] = {
        {5, 8, "Invalid PDF/TIFF compression subformat. Supported values are CCITT, LZW, PACKBITS!"},
        {7, 5, "Invalid PDF subformat. Supported values are JPEG, TIFF, JBIG2, JPEG2000!"},
    };
    for (const auto& c : cases) {
        CZAVImg image;
        FillPattern(image, 32);
        image.m_pdfImageCoding = c.coding;
        image.m_tiffCompression = c.compression;
        EXPECT_EQ(ThrownText([&] { image.CheckSaveOptions(11); }), c.text);
        EXPECT_EQ(image.GetBitsPerPixel(), 32);
    }
}

TEST(CheckSaveOptions, CancelledConversionFailsAndKeepsTheImage)
{
    CRecordingSink sink(1);
    CZAVImg image(&sink);
    FillPattern(image, 24);
    image.m_tiffCompression = 5;
    EXPECT_EQ(ThrownText([&] { image.CheckSaveOptions(5); }), "Operation canceled!");
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
}

}  // namespace
