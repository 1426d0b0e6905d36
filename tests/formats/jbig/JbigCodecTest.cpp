// The JBIG codec against JBIG-KIT's own tools: files from pbmtojbg (every
// coding option, open heights closed by NEWLEN, several planes) load to the
// PBM's pixels, and jbgtopbm decodes our saves to the image.
#include "formats/jbig/JBIGDecoder.h"
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPixels.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr int kWidth = 37;
constexpr int kHeight = 23;

// Rows of (width + 7) / 8 bytes, most significant bit first, 1 = black.
std::vector<uint8_t> PatternRows(int width, int height)
{
    const int rowBytes = (width + 7) / 8;
    std::vector<uint8_t> rows(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * y + x + y) % 5 == 0 || x == y || (y > height / 2 && x < width / 3))
                rows[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    return rows;
}

void WritePbm(const std::string& path, int width, int height, const std::vector<uint8_t>& rows)
{
    const std::string head = "P4\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    std::vector<uint8_t> file(head.begin(), head.end());
    file.insert(file.end(), rows.begin(), rows.end());
    WriteBytes(path, file);
}

std::vector<uint8_t> ImageBytes(const CZAVImg& image)
{
    const auto* data = static_cast<const uint8_t*>(image.GetImageData());
    return std::vector<uint8_t>(data, data + image.GetImageSize());
}

void RunTool(const std::string& commandLine)
{
    const RunResult run = Run(commandLine);
    ASSERT_EQ(0, run.exitCode) << commandLine << "\n" << run.output;  // jbigkit-bin must be installed
}

TEST(JbigDecoder, PbmtojbgFilesLoadToThePbmPixels)
{
    ASSERT_TRUE(HaveTool("pbmtojbg"));
    TempDir dir;
    const struct {
        const char* options;
        int width;
        int height;
    } cases[] = {{"", kWidth, kHeight},
                 {"-q", kWidth, kHeight},
                 {"-d 3", 130, 90},
                 {"-s 2 -o 0 -p 0", kWidth, kHeight},
                 {"-r -C note", kWidth, kHeight},
                 {"-Y 4294967295", kWidth, kHeight},  // the height left open, closed by NEWLEN
                 {"-f -Y 4294967295", kWidth, kHeight},
                 {"-Y 100", kWidth, kHeight}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        const std::vector<uint8_t> rows = PatternRows(c.width, c.height);
        WritePbm(dir.File("in.pbm"), c.width, c.height, rows);
        RunTool(std::string("pbmtojbg ") + c.options + " " + ShellQuote(dir.File("in.pbm")) + " " +
                ShellQuote(dir.File("in.jbg")));
        CZAVImg image;
        image.LoadFromFile(dir.File("in.jbg").c_str(), zavifJBIG);
        ASSERT_EQ(1, image.GetBitsPerPixel());
        EXPECT_EQ(c.width, image.GetWidth());
        EXPECT_EQ(c.height, image.GetHeight());
        EXPECT_EQ(rows, ImageBytes(image));
        EXPECT_EQ(300, image.GetXResolution());
        EXPECT_EQ(300, image.GetYResolution());
        uint32_t white = 0;
        image.GetPalette().GetEntry(0, white);
        EXPECT_EQ(MakePaletteEntry(255, 255, 255), white);
        EXPECT_EQ(c.height, image.GetOwnImageInfo().GetValue("HEIGHT").GetInt());
        EXPECT_EQ("300", image.GetOwnImageInfo().GetValue("DPIX").GetText());
    }
}

TEST(JbigDecoder, SeveralPlanesLoadPlaneZero)
{
    ASSERT_TRUE(HaveTool("pbmtojbg"));
    ASSERT_TRUE(HaveTool("jbgtopbm"));
    TempDir dir;
    std::string gray = "P5\n9 4\n3\n";
    for (int i = 0; i < 36; ++i)
        gray.push_back(static_cast<char>((i % 9 + i / 9) % 4));
    WriteText(dir.File("in.pgm"), gray);
    RunTool("pbmtojbg " + ShellQuote(dir.File("in.pgm")) + " " + ShellQuote(dir.File("in.jbg")));
    RunTool("jbgtopbm -p 0 " + ShellQuote(dir.File("in.jbg")) + " " + ShellQuote(dir.File("plane0.pbm")));
    CZAVImg image;
    image.LoadFromFile(dir.File("in.jbg").c_str(), zavifJBIG);
    EXPECT_EQ(PillowRgb(dir.File("plane0.pbm")).rgb, ImageRgb(image));
}

TEST(JbigDecoder, FileInfoTakesTheHeightFromNewlen)
{
    TempDir dir;
    WritePbm(dir.File("in.pbm"), kWidth, kHeight, PatternRows(kWidth, kHeight));
    RunTool("pbmtojbg -Y 4294967295 " + ShellQuote(dir.File("in.pbm")) + " " + ShellQuote(dir.File("in.jbg")));
    const std::vector<uint8_t> file = ReadBytes(dir.File("in.jbg"));
    CDataSource source;
    ASSERT_TRUE(source.OpenMemory(file.data(), file.size()));
    CZAVImg image;
    FilterImageInfo info{};
    CJBIGDecoder decoder;
    EXPECT_EQ(1, decoder.GetFileInfo(&image, &source, &info));
    EXPECT_EQ(kWidth, info.width);
    EXPECT_EQ(kHeight, info.height);
    EXPECT_EQ(1, info.bitsPerPixel);
    EXPECT_EQ(300, info.dpiX);
}

std::vector<uint8_t> Header(uint32_t width, uint32_t height, uint8_t planes)
{
    std::vector<uint8_t> h = {0, 0, planes, 0};
    for (uint32_t v : {width, height, 128u})
        for (int shift = 24; shift >= 0; shift -= 8)
            h.push_back(static_cast<uint8_t>(v >> shift));
    h.insert(h.end(), {0, 0, 3, 0x1C});
    return h;
}

// Damaged data fails instead of loading what JBIG-KIT happened to decode,
// and no header makes JBIG-KIT allocate beyond the ceiling.
TEST(JbigDecoder, DamagedDataFails)
{
    TempDir dir;
    WritePbm(dir.File("in.pbm"), kWidth, kHeight, PatternRows(kWidth, kHeight));
    RunTool("pbmtojbg " + ShellQuote(dir.File("in.pbm")) + " " + ShellQuote(dir.File("in.jbg")));
    const std::vector<uint8_t> good = ReadBytes(dir.File("in.jbg"));
    std::vector<uint8_t> openHeight = Header(kWidth, 0xFFFFFFFF, 1);
    openHeight.insert(openHeight.end(), {0x12, 0x34, 0xFF, 0x02});
    std::vector<uint8_t> openHeightBadMarker = Header(kWidth, 0xFFFFFFFF, 1);
    openHeightBadMarker.insert(openHeightBadMarker.end(), {0x12, 0xFF, 0x99, 0x00});
    const struct {
        const char* name;
        std::vector<uint8_t> data;
        const char* text;
    } cases[] = {
        {"cut short", std::vector<uint8_t>(good.begin(), good.end() - 6), "JBIG Decoder error (32): '"},
        {"shorter than a header", std::vector<uint8_t>(good.begin(), good.begin() + 12), "Invalid Jbig data!"},
        {"not JBIG", std::vector<uint8_t>(40, 0x47), "Invalid Jbig data!"},
        {"height 0", Header(kWidth, 0, 1), "Invalid Jbig data!"},
        {"open height without NEWLEN", openHeight, "Invalid Jbig data!"},
        {"open height, unknown marker", openHeightBadMarker, "JBIG Decoder error (96): '"},
        {"huge page", Header(0x7FFFFFFF, 0x7FFFFFFF, 1), "Jbig image too large!"},
        {"many planes", Header(20000, 20000, 255), "Jbig image too large!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        const std::string thrown =
            ThrownText([&] { image.LoadFromMemory(c.data.data(), static_cast<int64_t>(c.data.size()), zavifJBIG); });
        EXPECT_EQ(0u, thrown.find(c.text)) << thrown;
        EXPECT_FALSE(image.HasImage());
    }
}

TEST(JbigEncoder, SavesDecodeWithJbgtopbmToTheImage)
{
    ASSERT_TRUE(HaveTool("jbgtopbm"));
    for (const bool whiteFirst : {true, false}) {
        SCOPED_TRACE(whiteFirst ? "white first" : "black first");
        CZAVImg image;
        ASSERT_TRUE(image.Create(kWidth, kHeight, 1));
        const std::vector<uint8_t> rows = PatternRows(kWidth, kHeight);
        std::copy(rows.begin(), rows.end(), static_cast<uint8_t*>(image.GetImageData()));
        if (whiteFirst)
            image.GetPalette().CreateWhiteBlack();
        TempDir dir;
        int64_t bytes = 0;
        image.SaveToFile(dir.File("out.jbg").c_str(), zavifJBIG, &bytes);
        EXPECT_EQ(static_cast<int64_t>(ReadBytes(dir.File("out.jbg")).size()), bytes);
        EXPECT_EQ(rows, ImageBytes(image));  // a black-first image is inverted in a copy only
        RunTool("jbgtopbm " + ShellQuote(dir.File("out.jbg")) + " " + ShellQuote(dir.File("out.pbm")));
        EXPECT_EQ(ImageRgb(image), PillowRgb(dir.File("out.pbm")).rgb);
    }
}

TEST(JbigEncoder, RefusesImagesOfMoreThanOneBit)
{
    CZAVImg image;
    ASSERT_TRUE(image.Create(8, 8, 8));
    image.m_prepareBeforeSave = 0;
    TempDir dir;
    const std::string path = dir.File("out.jbg");
    const std::string thrown = ThrownText([&] {
        int64_t bytes = 0;
        image.SaveToFile(path.c_str(), zavifJBIG, &bytes);
    });
    EXPECT_EQ(0u, thrown.find("Encoding JBIG: Illegal bpp value. Require 1bit black&white image for JBIG!")) << thrown;
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
