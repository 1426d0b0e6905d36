// Flat documents the PSD encoder writes open in Pillow and ImageMagick with
// the pixels saved and read back through the decoder; refusals and a
// failing sink fail the save.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/PillowRgb.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

// What ImageMagick reads: RGB bytes of the first (merged) image.
std::vector<uint8_t> MagickRgb(const TempDir& dir, const std::string& file)
{
    const std::string out = dir.File("magick.rgb");
    const RunResult run =
        ZAVTest::Run("/usr/bin/convert " + ShellQuote(file + "[0]") + " -depth 8 " + ShellQuote("rgb:" + out));
    EXPECT_EQ(0, run.exitCode) << run.output;  // imagemagick must be installed
    return run.exitCode == 0 ? ReadBytes(out) : std::vector<uint8_t>();
}

struct SaveCase {
    const char* name;
    int depth;
    std::function<void(CZAVImg&)> palette;
    uint8_t mode;
    bool pillow;  // Pillow swaps black and white of bitmap documents
    // ImageMagick 6 refuses every indexed document ("improper image
    // header"), a hand-made minimal one too.
    bool magick;
};

TEST(PsdSave, SavedFilesReadBackEverywhere)
{
    const SaveCase cases[] = {
        {"bitmap white first", 1, [](CZAVImg& i) { i.GetPalette().CreateWhiteBlack(); }, 0, false, true},
        {"bitmap black first", 1, [](CZAVImg& i) { i.GetPalette().CreateBlackWhite(); }, 0, false, true},
        {"grey", 8, [](CZAVImg& i) { i.GetPalette().CreateGrayScale(); }, 1, true, true},
        {"indexed of 10 entries", 8, [](CZAVImg& i) { i.GetPalette().SetSize(10); }, 2, true, false},
        {"RGB", 24, [](CZAVImg&) {}, 3, true, true},
    };
    TempDir dir;
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        FillPatternImage(image, 19, 7, c.depth);
        c.palette(image);
        if (image.GetPalette().GetCount() == 10) {
            for (int i = 0; i < 10; ++i)
                image.GetPalette().SetEntry(i,
                                            MakePaletteEntry(static_cast<BYTE>(i * 25), 7, static_cast<BYTE>(200 - i)));
            BYTE** lines = image.GetLineArray();
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 19; ++x)
                    lines[y][x] %= 10;
        }
        image.m_prepareBeforeSave = 0;
        const std::string file = dir.File("saved.psd");
        int64_t written = 0;
        image.SaveToFile(file.c_str(), zavifPSD, &written);
        const std::vector<uint8_t> bytes = ReadBytes(file);
        EXPECT_EQ(static_cast<int64_t>(bytes.size()), written);
        EXPECT_EQ(c.mode, bytes[25]);
        const uint32_t colourBytes = (bytes[26] << 24) | (bytes[27] << 16) | (bytes[28] << 8) | bytes[29];
        EXPECT_EQ(c.depth == 8 ? 768u : 0u, colourBytes);
        const std::vector<uint8_t> rgb = ImageRgb(image);
        if (c.magick) {
            EXPECT_EQ(rgb, MagickRgb(dir, file));
        }
        if (c.pillow) {
            EXPECT_EQ(rgb, PillowRgb(file).rgb);
        }
        CZAVImg back;
        back.LoadFromFile(file.c_str(), zavifPSD);
        EXPECT_EQ(rgb, ImageRgb(back));
    }
}

TEST(PsdSave, RefusalsAndFailingSinks)
{
    for (int depth : {16, 32}) {
        CZAVImg image;
        FillPatternImage(image, 4, 4, depth);
        image.m_prepareBeforeSave = 0;
        std::vector<uint8_t> block(4096);
        EXPECT_NE(std::string::npos, ThrownText([&] {
                                         image.SaveToMemory(block.data(), 4096, zavifPSD, nullptr);
                                     }).find("Invalid destination bitdepth."));
    }
    CZAVImg image;
    FillPatternImage(image, 40, 40, 24);
    image.m_prepareBeforeSave = 0;
    std::vector<uint8_t> small(100);
    EXPECT_NE("(nothing thrown)", ThrownText([&] { image.SaveToMemory(small.data(), 100, zavifPSD, nullptr); }));
}

}  // namespace
