// GIF files written by independent writers (Pillow; ImageMagick for a
// two-entry table; a few lines of Python for interlaced frames of every
// small height and for a two-entry local table) load frame by frame to the
// pixels Pillow and ImageMagick read from them, with the keys the files
// carry.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

struct FrameExpectation {
    int index = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::string> facts;
};

struct CaseExpectation {
    std::string name;
    int frames = 0;
    std::vector<FrameExpectation> frameList;
};

std::vector<CaseExpectation> ReadManifest(const std::string& path)
{
    std::vector<CaseExpectation> cases;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "CASE") {
            cases.emplace_back();
            fields >> cases.back().name >> cases.back().frames;
        } else if (kind == "FRAME") {
            FrameExpectation frame;
            fields >> frame.index >> frame.left >> frame.top >> frame.width >> frame.height;
            cases.back().frameList.push_back(frame);
        } else if (!kind.empty()) {
            cases.back().frameList.back().facts.push_back(line);
        }
    }
    return cases;
}

void ExpectFact(const CNameVariantPairs& info, const std::string& line)
{
    std::istringstream fields(line);
    std::string kind;
    std::string key;
    fields >> kind >> key;
    if (kind == "ABSENT") {
        EXPECT_FALSE(info.HasKey(key)) << key;
        return;
    }
    ASSERT_TRUE(info.HasKey(key)) << key;
    if (kind == "INT") {
        int value = 0;
        fields >> value;
        EXPECT_EQ(value, info.GetValue(key).GetAsInt()) << key;
    } else {
        std::string text;
        std::getline(fields >> std::ws, text);
        EXPECT_EQ(text, info.GetValue(key).GetAsText()) << key;
    }
}

void CheckFrame(const TempDir& dir, const CaseExpectation& c, const FrameExpectation& frame)
{
    SCOPED_TRACE(c.name + " frame " + std::to_string(frame.index));
    CZAVImg image;
    image.m_pageIndex = frame.index;
    image.LoadFromFile(dir.File(c.name + ".gif").c_str(), zavifGIF);
    EXPECT_EQ(frame.width, image.GetWidth());
    EXPECT_EQ(frame.height, image.GetHeight());
    const std::string stem = dir.File(c.name + "." + std::to_string(frame.index));
    EXPECT_EQ(ReadBytes(stem + ".rgb"), ImageRgb(image));
    EXPECT_EQ(ReadBytes(stem + ".magick"), ImageRgb(image));
    const CNameVariantPairs& info = image.GetOwnImageInfo();
    EXPECT_EQ(c.frames, info.GetValue("FRAMES").GetAsInt());
    EXPECT_EQ(frame.left, info.GetValue("LEFT").GetAsInt());
    EXPECT_EQ(frame.top, info.GetValue("TOP").GetAsInt());
    for (const std::string& fact : frame.facts)
        ExpectFact(info, fact);
}

TEST(GifPillowLoad, FramesMatchPillow)
{
    TempDir dir;
    const RunResult run = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(DataPath("gif/GifPillowFiles.py")) + " " +
                                       ShellQuote(dir.Path()));
    ASSERT_EQ(0, run.exitCode) << run.output;  // python3-pil and imagemagick must be installed
    const std::vector<CaseExpectation> cases = ReadManifest(dir.File("manifest.txt"));
    ASSERT_GE(cases.size(), 10u);
    for (const CaseExpectation& c : cases) {
        ASSERT_EQ(static_cast<size_t>(c.frames), c.frameList.size()) << c.name;
        for (const FrameExpectation& frame : c.frameList)
            CheckFrame(dir, c, frame);
    }
}

TEST(GifPillowLoad, FrameCountAndBadFrameIndex)
{
    TempDir dir;
    ASSERT_EQ(0, ZAVTest::Run("/usr/bin/python3 " + ShellQuote(DataPath("gif/GifPillowFiles.py")) + " " +
                              ShellQuote(dir.Path()))
                     .exitCode);
    CZAVImg image;
    image.m_pageIndex = 3;
    try {
        image.LoadFromFile(dir.File("animation.gif").c_str(), zavifGIF);
        FAIL() << "frame 3 of 3 loaded";
    } catch (const CTextException& e) {
        EXPECT_STREQ("Decoder error: Invalid GIF Frame 3", e.GetText());
    }
}

}  // namespace
