// PNG files the encoder writes pass pngcheck and load in Pillow to the
// image's pixels and alpha, for every depth and colour type the image
// options choose; unfitting combinations are refused before any byte.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "formats/codec/CodecErrorText.h"
#include "formats/support/CodecPictures.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

struct SaveCase {
    const char* name;
    int depth;
    int colorType;
    int interlace;
    bool mask;
    const char* pillowMode;
};

// Indices of 8-bit images without a palette type are written as grey.
void PrepareImage(CZAVImg& image, const SaveCase& c)
{
    FillPatternImage(image, 21, 9, c.depth);
    if (c.depth == 8 && c.colorType != 3)
        image.GetPalette().CreateGrayScale();
    if (c.mask)
        AddPatternMask(image);
    image.m_prepareBeforeSave = 0;
    image.m_pngColorType = c.colorType;
    image.m_pngInterlace = c.interlace;
}

// The alpha a save carries: the mask, or the fourth byte of 32 bits.
std::vector<uint8_t> ExpectedAlpha(CZAVImg& image)
{
    if (image.GetBitsPerPixel() != 32)
        return ImageMask(image);
    std::vector<uint8_t> alpha;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            alpha.push_back(image.GetLineArray()[y][4 * x + 3]);
    return alpha;
}

TEST(PngSave, OutputsPassPngcheckAndLoadInPillow)
{
    ASSERT_TRUE(HaveTool("pngcheck"));
    const SaveCase cases[] = {
        {"bw palette", 1, 3, 0, false, "P"},
        {"palette", 8, 3, 0, false, "P"},
        {"grey", 8, 0, 0, false, "L"},
        {"rgb", 24, 2, 0, false, "RGB"},
        {"rgb interlaced", 24, 2, 1, false, "RGB"},
        {"rgb with mask", 24, 6, 0, true, "RGBA"},
        {"rgba interlaced", 24, 6, 1, true, "RGBA"},
        {"grey with mask", 8, 4, 0, true, "LA"},
        {"32 bits", 32, 6, 0, false, "RGBA"},
    };
    TempDir dir;
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        PrepareImage(image, c);
        const std::string path = dir.File("saved.png");
        int64_t bytes = 0;
        image.SaveToFile(path.c_str(), 6, &bytes);
        EXPECT_EQ(static_cast<int64_t>(ReadBytes(path).size()), bytes);
        const RunResult check = ZAVTest::Run("pngcheck " + ShellQuote(path));
        EXPECT_EQ(0, check.exitCode) << check.output;
        EXPECT_EQ(c.interlace != 0, check.output.find("interlaced") != std::string::npos &&
                                        check.output.find("non-interlaced") == std::string::npos);
        EXPECT_EQ(c.pillowMode, PillowPixels(dir, path));
        EXPECT_EQ(ImageRgb(image), ReadBytes(path + ".rgb"));
        EXPECT_EQ(ExpectedAlpha(image), ReadBytes(path + ".alpha"));
    }
}

TEST(PngSave, AnRgbaFileKeepsItsAlphaThroughLoadAndSave)
{
    CZAVImg image;
    PrepareImage(image, {"rgb with mask", 24, 6, 0, true, "RGBA"});
    TempDir dir;
    const std::string first = dir.File("first.png");
    const std::string second = dir.File("second.png");
    image.SaveToFile(first.c_str(), 6, nullptr);
    CZAVImg loaded;
    loaded.LoadFromFile(first.c_str(), 6);
    EXPECT_EQ(24, loaded.GetBitsPerPixel());
    EXPECT_EQ(ImageRgb(image), ImageRgb(loaded));
    EXPECT_EQ(ImageMask(image), ImageMask(loaded));
    loaded.m_prepareBeforeSave = 0;
    loaded.m_pngColorType = 6;
    loaded.SaveToFile(second.c_str(), 6, nullptr);
    EXPECT_EQ("RGBA", PillowPixels(dir, second));
    EXPECT_EQ(ImageMask(image), ReadBytes(second + ".alpha"));
}

// 16-bit grey is stored low byte first; the file must hold the same values.
TEST(PngSave, SixteenBitGreyKeepsItsValues)
{
    CZAVImg image;
    ASSERT_EQ(1, image.Create(5, 2, 16));
    std::ostringstream expected;
    expected << "[";
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            const int value = 4099 * x + 9001 * y + 3;
            image.GetLineArray()[y][2 * x] = static_cast<BYTE>(value & 0xFF);
            image.GetLineArray()[y][2 * x + 1] = static_cast<BYTE>(value >> 8);
            expected << (x + y ? ", " : "") << value;
        }
    expected << "]\n";
    image.m_prepareBeforeSave = 0;
    image.m_pngColorType = 0;
    TempDir dir;
    const std::string path = dir.File("grey16.png");
    image.SaveToFile(path.c_str(), 6, nullptr);
    const RunResult values = RunPython(
        dir, "import sys\nfrom PIL import Image\nprint(list(Image.open(sys.argv[1]).getdata()))\n", ShellQuote(path));
    EXPECT_EQ(expected.str(), values.output);
}

TEST(PngSave, RefusesWhatItCannotWriteAndLeavesNoFile)
{
    TempDir dir;
    const std::string path = dir.File("refused.png");
    const struct {
        const char* name;
        int depth;
        int colorType;
        const char* text;
    } cases[] = {
        {"alpha without mask", 24, 6, "Decoder error: No maskdata available!; "},
        {"rgb rows from 8 bits", 8, 2, "Decoder error: PNG color type 2 does not fit a 8bpp image!; "},
        {"rgb rows from 16 bits", 16, 2, "Decoder error: PNG color type 2 does not fit a 16bpp image!; "},
        {"bit depth 48", 48, 2, "Decoder error: Invalid IHDR data; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillPatternImage(image, 6, 4, c.depth);
        image.m_prepareBeforeSave = 0;
        image.m_pngColorType = c.colorType;
        // What an earlier failed load left in the codec text is not this save's.
        SetCodecErrorText("bad adaptive filter value");
        EXPECT_EQ(c.text, ThrownText([&] { image.SaveToFile(path.c_str(), 6, nullptr); }));
        EXPECT_FALSE(FileExists(path));
    }
}

TEST(PngSave, AOneBitPaletteImageWritesTwoPaletteEntries)
{
    CZAVImg image;
    FillPatternImage(image, 9, 3, 1);
    image.GetPalette().SetSize(4);
    image.GetPalette().SetEntry(1, MakePaletteEntry(255, 255, 255));
    TempDir dir;
    const std::string path = dir.File("bw.png");
    image.SaveToFile(path.c_str(), 6, nullptr);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    const size_t plte = text.find("PLTE");
    ASSERT_NE(std::string::npos, plte);
    EXPECT_EQ(6, bytes[plte - 1]);
    EXPECT_EQ(3, bytes[25]);  // IHDR colour type: palette
}

}  // namespace
