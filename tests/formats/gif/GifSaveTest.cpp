// GIF files the encoder writes, in each code-writer mode, single and
// animated: Pillow, ImageMagick and gifsicle read them, with the pixels
// saved; the loop, comment, colour-table and size rules hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr int kWriterModes[] = {0, 1, 2};

// Prints, per frame, the RGB bytes Pillow reads as hex on one line, then
// the loop count (or "none") and the comment's length.
const char kPillowFrames[] = R"(
import sys
from PIL import Image
image = Image.open(sys.argv[1])
for n in range(getattr(image, "n_frames", 1)):
    image.seek(n)
    image.load()
    print(image.convert("RGB").tobytes().hex())
print(image.info.get("loop", "none"))
print(len(image.info.get("comment", b"")))
)";

struct PillowFrames {
    std::vector<std::string> frames;
    std::string loop;
    int commentLength = 0;
};

PillowFrames ReadWithPillow(const TempDir& dir, const std::string& file)
{
    const RunResult run = RunPython(dir, kPillowFrames, ShellQuote(file));
    PillowFrames result;
    EXPECT_EQ(0, run.exitCode) << run.output;
    std::istringstream lines(run.output);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    if (all.size() < 3)
        return result;
    result.frames.assign(all.begin(), all.end() - 2);
    result.loop = all[all.size() - 2];
    result.commentLength = std::stoi(all.back());
    return result;
}

std::string Hex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

std::string GifsicleInfo(const std::string& file)
{
    const RunResult run = ZAVTest::Run("gifsicle --info " + ShellQuote(file));
    EXPECT_EQ(0, run.exitCode) << run.output;  // gifsicle must be installed
    EXPECT_EQ(std::string::npos, run.output.find("warning")) << run.output;
    return run.output;
}

void Prepare(CZAVImg& image, int width, int height, int depth, int mode)
{
    FillPatternImage(image, width, height, depth);
    image.m_prepareBeforeSave = 0;
    image.m_gif.flag = mode;
}

// ImageMagick's RGB bytes of frame n as stored.
std::vector<uint8_t> MagickFrameRgb(const TempDir& dir, const std::string& file, int frame)
{
    const std::string out = dir.File("magick.rgb");
    const RunResult run = ZAVTest::Run("/usr/bin/convert " + ShellQuote(file + "[" + std::to_string(frame) + "]") +
                                       " +repage -depth 8 " + ShellQuote("rgb:" + out));
    EXPECT_EQ(0, run.exitCode) << run.output;  // imagemagick must be installed
    return run.exitCode == 0 ? ReadBytes(out) : std::vector<uint8_t>();
}

std::vector<uint8_t> LoadFrameRgb(const std::string& file, int frame)
{
    CZAVImg image;
    image.m_pageIndex = frame;
    image.LoadFromFile(file.c_str(), zavifGIF);
    return ImageRgb(image);
}

TEST(GifSave, SingleImagesInEveryModeReadBackEverywhere)
{
    ASSERT_TRUE(HaveTool("gifsicle"));
    TempDir dir;
    struct Shape {
        int width, height, depth;
    };
    const Shape shapes[] = {{9, 5, 1}, {1, 1, 8}, {97, 61, 8}, {300, 40, 1}};
    for (int mode : kWriterModes) {
        for (const Shape& shape : shapes) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " " + std::to_string(shape.width) + "x" +
                         std::to_string(shape.height) + "x" + std::to_string(shape.depth));
            CZAVImg image;
            Prepare(image, shape.width, shape.height, shape.depth, mode);
            const std::string file = dir.File("single.gif");
            image.SaveToFile(file.c_str(), zavifGIF, nullptr);
            const PillowFrames pillow = ReadWithPillow(dir, file);
            ASSERT_EQ(1u, pillow.frames.size());
            EXPECT_EQ(Hex(ImageRgb(image)), pillow.frames[0]);
            EXPECT_EQ("none", pillow.loop);
            EXPECT_EQ(ImageRgb(image), LoadFrameRgb(file, 0));
            EXPECT_EQ(ImageRgb(image), MagickFrameRgb(dir, file, 0));
            GifsicleInfo(file);
            // gifsicle decodes the codes and codes them anew.
            const std::string again = dir.File("again.gif");
            ASSERT_EQ(0, ZAVTest::Run("gifsicle -O3 " + ShellQuote(file) + " -o " + ShellQuote(again)).exitCode);
            EXPECT_EQ(Hex(ImageRgb(image)), ReadWithPillow(dir, again).frames.at(0));
        }
    }
}

TEST(GifSave, AnimationsInEveryModeKeepFramesAndLoop)
{
    TempDir dir;
    for (int mode : kWriterModes) {
        for (int loop : {0, 1, 5}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " loop " + std::to_string(loop));
            CZAVImg frames[3];
            Prepare(frames[0], 40, 30, 8, mode);
            Prepare(frames[1], 40, 30, 8, mode);
            Prepare(frames[2], 40, 30, 1, mode);
            // A second frame with its own palette and the local-table flag
            // off still gets its own table.
            frames[1].GetPalette().SetEntry(3, MakePaletteEntry(1, 2, 3));
            frames[1].m_gif.values[6] = 0;
            frames[0].m_gif.values[5] = loop;
            CZAVImg* list[] = {&frames[0], &frames[1], &frames[2]};
            const std::string file = dir.File("anim.gif");
            frames[0].SaveMultipageToFile(file.c_str(), list, 3, zavifGIF, 0, nullptr);
            const PillowFrames pillow = ReadWithPillow(dir, file);
            ASSERT_EQ(3u, pillow.frames.size());
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(Hex(ImageRgb(frames[i])), pillow.frames[static_cast<size_t>(i)]) << i;
                EXPECT_EQ(ImageRgb(frames[i]), LoadFrameRgb(file, i)) << i;
                EXPECT_EQ(ImageRgb(frames[i]), MagickFrameRgb(dir, file, i)) << i;
            }
            const std::string info = GifsicleInfo(file);
            if (loop == 1) {
                EXPECT_EQ("none", pillow.loop);
                EXPECT_EQ(std::string::npos, info.find("loop")) << info;
            } else {
                EXPECT_EQ(std::to_string(loop == 0 ? 65535 : loop - 1), pillow.loop);
            }
        }
    }
}

TEST(GifSave, CommentsAreCutTo255AndEmptyOnesSkipped)
{
    TempDir dir;
    CZAVImg image;
    Prepare(image, 4, 4, 8, 1);
    image.m_gif.comments = {std::string(300, 'c'), std::string()};
    const std::string file = dir.File("comment.gif");
    image.SaveToFile(file.c_str(), zavifGIF, nullptr);
    EXPECT_EQ(255, ReadWithPillow(dir, file).commentLength);
    const std::vector<uint8_t> bytes = ReadBytes(file);
    size_t comments = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        comments += bytes[i] == 0x21 && bytes[i + 1] == 0xFE;
    EXPECT_EQ(1u, comments);
}

// Walks the data sub-blocks of the first image; returns their lengths.
std::vector<int> FirstImageBlocks(const std::vector<uint8_t>& bytes)
{
    size_t at = 13 + 3 * (size_t(2) << (bytes[10] & 7));
    while (at < bytes.size() && bytes[at] == 0x21) {
        at += 2;
        while (bytes[at])
            at += bytes[at] + 1;
        ++at;
    }
    std::vector<int> blocks;
    at += 10 + 1;  // descriptor, minimum code size
    while (at < bytes.size() && bytes[at]) {
        blocks.push_back(bytes[at]);
        at += bytes[at] + 1;
    }
    return blocks;
}

TEST(GifSave, BlockSizesAndPlainCodeSize)
{
    TempDir dir;
    struct Case {
        int mode;
        int block;
    };
    for (const Case& c : {Case{0, 254}, Case{1, 254}, Case{2, 255}}) {
        CZAVImg image;
        Prepare(image, 200, 100, 8, c.mode);
        const std::string file = dir.File("blocks.gif");
        int64_t written = 0;
        image.SaveToFile(file.c_str(), zavifGIF, &written);
        const std::vector<uint8_t> bytes = ReadBytes(file);
        EXPECT_EQ(static_cast<int64_t>(bytes.size()), written);
        const std::vector<int> blocks = FirstImageBlocks(bytes);
        ASSERT_GE(blocks.size(), 2u) << c.mode;
        EXPECT_EQ(c.block, blocks[0]) << c.mode;
        if (c.mode == 0) {
            EXPECT_GT(bytes.size(), 200u * 100u);
        }
    }
}

TEST(GifSave, ColourTablesHoldEveryAnnouncedEntry)
{
    TempDir dir;
    CZAVImg image;
    Prepare(image, 6, 3, 8, 1);
    image.GetPalette().SetSize(10);
    const std::string file = dir.File("short.gif");
    image.SaveToFile(file.c_str(), zavifGIF, nullptr);
    const std::vector<uint8_t> bytes = ReadBytes(file);
    EXPECT_EQ(0xE7, bytes[10]);
    // 256 entries follow the screen descriptor, the missing ones black.
    ASSERT_GT(bytes.size(), 13u + 768u);
    EXPECT_EQ(0x21, bytes[13 + 768]);
    EXPECT_EQ(std::vector<uint8_t>(3 * 246, 0),
              std::vector<uint8_t>(bytes.begin() + 13 + 30, bytes.begin() + 13 + 768));
    EXPECT_EQ(ImageRgb(image), LoadFrameRgb(file, 0));
}

TEST(GifSave, LocalTablesHoldEveryAnnouncedEntry)
{
    TempDir dir;
    CZAVImg frames[2];
    Prepare(frames[0], 8, 4, 8, 1);
    Prepare(frames[1], 8, 4, 8, 1);
    frames[1].GetPalette().SetSize(10);
    for (int i = 0; i < 10; ++i)
        frames[1].GetPalette().SetEntry(i, MakePaletteEntry(static_cast<BYTE>(20 * i), 3, 4));
    BYTE** lines = frames[1].GetLineArray();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            lines[y][x] = static_cast<BYTE>((x + y) % 10);
    CZAVImg* list[] = {&frames[0], &frames[1]};
    const std::string file = dir.File("local.gif");
    frames[0].SaveMultipageToFile(file.c_str(), list, 2, zavifGIF, 0, nullptr);
    EXPECT_NE(std::string::npos, GifsicleInfo(file).find("local color table [256]"));
    EXPECT_EQ(Hex(ImageRgb(frames[1])), ReadWithPillow(dir, file).frames.at(1));
    EXPECT_EQ(ImageRgb(frames[1]), LoadFrameRgb(file, 1));
}

TEST(GifSave, RefusalsNameTheirReason)
{
    TempDir dir;
    const std::string file = dir.File("refused.gif");
    CZAVImg wide;
    Prepare(wide, 65536, 1, 1, 1);
    EXPECT_NE(std::string::npos, ThrownText([&] {
                                     wide.SaveToFile(file.c_str(), zavifGIF, nullptr);
                                 }).find("Encoding GIF: Image size exceeds 65535 pixels!"));
    CZAVImg rgb;
    Prepare(rgb, 4, 4, 24, 1);
    EXPECT_NE(std::string::npos, ThrownText([&] {
                                     rgb.SaveToFile(file.c_str(), zavifGIF, nullptr);
                                 }).find("Encoding GIF: Illegal bpp value. Require 1bit or 8bit image to export!"));
    CZAVImg first;
    Prepare(first, 4, 4, 8, 1);
    CZAVImg empty;
    CZAVImg* list[] = {&first, &empty};
    EXPECT_NE(std::string::npos, ThrownText([&] {
                                     first.SaveMultipageToFile(file.c_str(), list, 2, zavifGIF, 0, nullptr);
                                 }).find("Encoding GIF: No imagedata provided!"));
}

}  // namespace
