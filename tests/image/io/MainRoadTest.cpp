// The main road with the real codecs: files Pillow writes load with the
// pixels Pillow reads from them, and one picture saved in each format
// through SaveToFile, with the settings CheckSaveOptions writes, opens in
// Pillow (tiffinfo for the TIFF tags, qpdf for the PDF).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr int kWidth = 23;
constexpr int kHeight = 17;

// make FOLDER: a 23 x 17 RGB picture as PNG and as 24-bit TIFF, plain and
// LZW, with its pixels in FOLDER/made.rgb. read FILE: Pillow's format,
// mode, size and PNG/TIFF facts; the RGB pixels in FILE.rgb.
const char kPillow[] = R"(
import sys
from PIL import Image
if sys.argv[1] == "make":
    folder = sys.argv[2]
    picture = Image.new("RGB", (23, 17))
    picture.putdata([((x * 11 + y * 3) % 256, (x * y * 7) % 256, (200 - x * 5 - y * 4) % 256)
                     for y in range(17) for x in range(23)])
    picture.save(folder + "/pillow.png")
    picture.save(folder + "/pillow.tif")
    picture.save(folder + "/pillow_lzw.tif", compression="tiff_lzw")
    open(folder + "/made.rgb", "wb").write(picture.tobytes())
else:
    path = sys.argv[2]
    read = Image.open(path)
    read.load()
    print(read.format, read.mode, read.size[0], read.size[1])
    open(path + ".rgb", "wb").write(read.convert("RGB").tobytes())
)";

RunResult Pillow(const TempDir& dir, const std::string& arguments)
{
    WriteText(dir.File("pillow.py"), kPillow);
    return Run("/usr/bin/python3 " + ShellQuote(dir.File("pillow.py")) + " " + arguments + " 2>&1");
}

// Red, green, blue per pixel, through the palette below 24 bits.
std::vector<uint8_t> ImageRgb(const CZAVImg& image)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const BYTE* row = static_cast<const BYTE*>(image.GetImageData()) + size_t(y) * image.GetBytesPerLine();
            if (image.GetBitsPerPixel() == 24) {
                rgb.insert(rgb.end(), row + 3 * x, row + 3 * x + 3);
                continue;
            }
            const int index = image.GetBitsPerPixel() == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
            uint32_t entry = 0;
            image.GetPalette().GetEntry(index, entry);
            rgb.insert(rgb.end(), {uint8_t(entry >> 16), uint8_t(entry >> 8), uint8_t(entry)});
        }
    return rgb;
}

// A smooth colour picture, so JPEG stays close and LZW's palette reduction
// has a few hundred colours to choose from.
void MakePicture(CZAVImg& image)
{
    ASSERT_EQ(image.Create(kWidth, kHeight, 24), 1);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.SetPixel24(x, y, RGB(x * 10, y * 14, 120 + x * 2 - y * 3));
}

}  // namespace

TEST(MainRoad, FilesPillowWritesLoadWithPillowsPixels)
{
    TempDir dir;
    const RunResult made = Pillow(dir, "make " + ShellQuote(dir.Path()));
    ASSERT_EQ(made.exitCode, 0) << made.output;  // python3-pil must be installed
    const std::vector<uint8_t> pixels = ReadBytes(dir.File("made.rgb"));
    for (const char* name : {"pillow.png", "pillow.tif", "pillow_lzw.tif"}) {
        for (int detectByExtension : {1, 0}) {
            SCOPED_TRACE(std::string(name) + " detection mode " + std::to_string(detectByExtension));
            CZAVImg image;
            image.m_detectByExtension = detectByExtension;
            ASSERT_EQ(ThrownText([&] { image.LoadFromFile(dir.File(name).c_str(), 0); }), "(nothing thrown)");
            EXPECT_EQ(image.GetBitsPerPixel(), 24);
            EXPECT_EQ(image.GetWidth(), kWidth);
            EXPECT_EQ(image.GetHeight(), kHeight);
            EXPECT_EQ(ImageRgb(image), pixels);
        }
    }
}

TEST(MainRoad, OnePictureSavedInEachFormatOpensInPillow)
{
    ASSERT_TRUE(HaveTool("tiffinfo"));
    const struct {
        int format;
        const char* file;
        int tiffCompression;
        int prepare;              // the prepare-before-save flag
        const char* pillowFacts;  // format and mode Pillow reports
        int depthAfterSave;       // what CheckSaveOptions made of the 24-bit picture
        int tolerance;            // JPEG is lossy
    } cases[] = {
        {6, "save.png", 1, 1, "PNG RGB", 24, 0},
        // LZW keeps 8 bits: the picture is reduced to a palette first,
        // unless the flag hands it to the encoder as it is.
        {5, "save.tif", 5, 1, "TIFF P", 8, 0},
        {5, "unprepared.tif", 5, 0, "TIFF RGB", 24, 0},
        {4, "save.jpg", 1, 1, "JPEG RGB", 24, 12},
        {1, "save.bmp", 1, 1, "BMP RGB", 24, 0},
        {15, "save.gif", 1, 1, "GIF P", 8, 0},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CZAVImg image;
        MakePicture(image);
        image.m_tiffCompression = c.tiffCompression;
        image.m_prepareBeforeSave = c.prepare;
        const std::string path = dir.File(c.file);
        int64_t bytes = 0;
        ASSERT_EQ(ThrownText([&] { image.SaveToFile(path.c_str(), c.format, &bytes); }), "(nothing thrown)");
        EXPECT_EQ(bytes, static_cast<int64_t>(ReadBytes(path).size()));
        EXPECT_EQ(image.GetBitsPerPixel(), c.depthAfterSave);
        const RunResult read = Pillow(dir, "read " + ShellQuote(path));
        ASSERT_EQ(read.exitCode, 0) << read.output;
        EXPECT_EQ(read.output, std::string(c.pillowFacts) + " 23 17\n");
        EXPECT_LE(MaxDifference(ReadBytes(path + ".rgb"), ImageRgb(image)), c.tolerance);
    }
    const struct {
        const char* file;
        const char* photometric;
    } tiffs[] = {{"save.tif", "palette color (RGB from colormap)"}, {"unprepared.tif", "RGB color"}};
    for (const auto& t : tiffs) {
        const std::string info = ZAVTest::Run("tiffinfo " + ShellQuote(dir.File(t.file)) + " 2>&1").output;
        EXPECT_NE(info.find("Bits/Sample: 8"), std::string::npos) << info;
        EXPECT_NE(info.find("Compression Scheme: LZW"), std::string::npos) << info;
        EXPECT_NE(info.find(std::string("Photometric Interpretation: ") + t.photometric), std::string::npos) << info;
    }
}

TEST(MainRoad, PdfSavePassesQpdf)
{
    ASSERT_TRUE(HaveTool("qpdf"));
    TempDir dir;
    for (int compression : {5, 32773}) {  // LZW on 8 bits, PackBits on 24
        SCOPED_TRACE(compression);
        CZAVImg image;
        MakePicture(image);
        image.m_tiffCompression = compression;
        const std::string path = dir.File("save.pdf");
        ASSERT_EQ(ThrownText([&] { image.SaveToFile(path.c_str(), 11, nullptr); }), "(nothing thrown)");
        const RunResult check = ZAVTest::Run("qpdf --check " + ShellQuote(path) + " 2>&1");
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos) << check.output;
    }
}
