// Old-style metafiles of DIB records, placeable and plain, rendered by
// libwmf's wmf2gd (an independent renderer) at the size our decoder
// renders them: the pixels agree. Each DIB is of one colour (1, 8 and 24
// bits), since wmf2gd resamples every bitmap with a bilinear filter that
// blends neighbouring pixels, while the layer takes the nearest, and its
// colours carry the small rounding of that filter.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/PillowRgb.h"
#include "image/object/ZAVImg.h"
#include "support/MetafileBuilder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr uint32_t kPaletteColour = 0xFF0080;
constexpr uint32_t kMonoColour = 0x8080FF;
constexpr uint32_t kTrueColour = 0x00FF80;

std::vector<uint32_t> GreyPalette()
{
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i)
        palette[i] = i * 0x010101;
    palette[200] = kPaletteColour;
    return palette;
}

// A w x h unit picture: a 24-bit DIB over all of it, clipped to leave the
// top and left quarters as background inside SaveDC and RestoreDC, then a
// 1-bit DIB stretched over the right half of the second quarter row and an
// 8-bit DIB over the bottom right quarter. wmf2gd paints one row and
// column more than each destination rectangle holds; every record's extra
// row and column fall under a later record or outside the picture, so the
// pictures can agree.
WmfBuilder Picture(int w, int h)
{
    const int left = w / 4, top = h / 4, midX = w / 2, midY = h / 2;
    WmfBuilder wmf;
    wmf.Record(0x0103, {8}).Record(0x020B, {0, 0}).Record(0x020C, {h, w}).Record(0x0107, {3});
    wmf.Record(0x001E, {}).Record(0x0416, {h, w, top, left});
    wmf.Record(0x0940, {0x0020, 0x00CC, 0, 0, h, w, 0, 0}, MakeDib(24, w, h, [](int, int) { return kTrueColour; }));
    wmf.Record(0x0127, {-1});
    wmf.Record(0x0B41, {0x0020, 0x00CC, 4, 4, 0, 0, midY - top, w - midX, top, midX},
               MakeDib(1, 4, 4, [](int, int) { return 1u; }, {0x000000, kMonoColour}));
    wmf.Record(0x0F43, {0x0020, 0x00CC, 0, 2, 3, 0, 0, h - midY, w - midX, midY, midX},
               MakeDib(
                   8, 3, 2, [](int, int) { return 200u; }, GreyPalette()));
    return wmf;
}

std::vector<uint8_t> Decoded(const std::string& path, int& width, int& height)
{
    CZAVImg image;
    image.LoadFromFile(path.c_str(), zavifWMF);
    width = image.GetWidth();
    height = image.GetHeight();
    return ImageRgb(image);
}

PillowPicture RenderedByWmf2gd(const TempDir& dir, const std::string& path, int width, int height)
{
    const std::string png = dir.File("wmf2gd.png");
    const RunResult run = Run("wmf2gd --maxwidth=" + std::to_string(width) + " --maxheight=" + std::to_string(height) +
                              " --maxsize -o " + ShellQuote(png) + " " + ShellQuote(path));
    EXPECT_EQ(0, run.exitCode) << run.output;
    return PillowRgb(png);
}

// gd's resampling leaves up to 2 levels of rounding in the areas of one
// colour of 8 and 24-bit DIBs (its 1-bit path has none); the colours of
// the picture differ from each other by 128 levels or more, so a pixel
// drawn by the wrong record or left out is still found.
constexpr int kResamplingLevels = 2;

// Pixels that differ, as "x,y" texts, so a failure shows where.
std::vector<std::string> Differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int width)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (std::abs(a[i] - b[i]) > kResamplingLevels &&
            (out.empty() || out.back() != std::to_string(i / 3 % width) + "," + std::to_string(i / 3 / width)))
            out.push_back(std::to_string(i / 3 % width) + "," + std::to_string(i / 3 / width));
    return out;
}

TEST(WmfRendering, PlaceableAndPlainFilesRenderAsWmf2gdRendersThem)
{
    ASSERT_TRUE(HaveTool("wmf2gd"));
    const struct {
        const char* name;
        MetaBytes bytes;
        int width, height;
    } cases[] = {{"placeable", Picture(48, 24).FinishPlaceable(0, 0, 48, 24, 96), 48, 24},
                 // Plain data from a file is converted at 10 mm square: 37 pixels.
                 {"plain", Picture(37, 37).Finish(), 37, 37}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.File("in.wmf"), c.bytes);
        int width = 0, height = 0;
        const std::vector<uint8_t> ours = Decoded(dir.File("in.wmf"), width, height);
        ASSERT_EQ(c.width, width);
        ASSERT_EQ(c.height, height);
        const PillowPicture theirs = RenderedByWmf2gd(dir, dir.File("in.wmf"), width, height);
        ASSERT_EQ(width, theirs.width);
        ASSERT_EQ(height, theirs.height);
        EXPECT_EQ(std::vector<std::string>(), Differences(ours, theirs.rgb, width));
    }
}

TEST(WmfRendering, PlaceableDataDecodesAlikeFromMemoryAndFromAFile)
{
    const MetaBytes bytes = Picture(48, 24).FinishPlaceable(0, 0, 48, 24, 96);
    TempDir dir;
    WriteBytes(dir.File("in.wmf"), bytes);
    int width = 0, height = 0;
    const std::vector<uint8_t> fromFile = Decoded(dir.File("in.wmf"), width, height);
    CZAVImg fromMemory;
    fromMemory.LoadFromMemory(bytes.data(), static_cast<int64_t>(bytes.size()), zavifWMF);
    EXPECT_EQ(width, fromMemory.GetWidth());
    EXPECT_EQ(fromFile, ImageRgb(fromMemory));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), fromMemory.GetPixel24(11, 20));  // left of the clip
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), fromMemory.GetPixel24(20, 5));   // above it
    EXPECT_EQ(RGB(0x00, 0xFF, 0x80), fromMemory.GetPixel24(12, 6));
    EXPECT_EQ(RGB(0x80, 0x80, 0xFF), fromMemory.GetPixel24(24, 11));
    EXPECT_EQ(RGB(0xFF, 0x00, 0x80), fromMemory.GetPixel24(47, 23));
}

}  // namespace
