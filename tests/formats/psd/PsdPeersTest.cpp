// Layered documents built byte by byte (raw and PackBits channels; bitmap,
// grey, indexed, RGB and CMYK; a layer with a transparency and a user mask;
// effects blocks) decode to what psd-tools and Pillow read from the same
// bytes: the merged image, each layer and its masks.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "formats/psd/PsdBuilder.h"
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr int kWidth = 13;
constexpr int kHeight = 5;

std::string Hex(const uint8_t* bytes, size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

std::string Hex(const std::vector<uint8_t>& bytes)
{
    return Hex(bytes.data(), bytes.size());
}

PsdTestLayer Layer(int top, int left, int bottom, int right, std::vector<int16_t> ids, uint16_t compression,
                   int planeBytesPerRow = 0)
{
    PsdTestLayer layer;
    layer.top = top;
    layer.left = left;
    layer.bottom = bottom;
    layer.right = right;
    const int width = planeBytesPerRow ? planeBytesPerRow : right - left;
    for (int16_t id : ids) {
        PsdTestChannel channel;
        channel.id = id;
        channel.compression = compression;
        channel.samples = PatternPlane(width, bottom - top, id + 3);
        layer.channels.push_back(channel);
    }
    return layer;
}

PsdTestDocument Document(uint16_t mode, uint16_t channels, uint16_t compression)
{
    PsdTestDocument document;
    document.mode = mode;
    document.channels = channels;
    document.width = kWidth;
    document.height = kHeight;
    document.mergedCompression = compression;
    for (int c = 0; c < channels; ++c)
        document.mergedPlanes.push_back(PatternPlane(kWidth, kHeight, c + 7));
    return document;
}

std::map<std::string, PsdTestDocument> Documents()
{
    std::map<std::string, PsdTestDocument> documents;
    PsdTestDocument rgb = Document(3, 4, 1);  // an alpha channel in the merged image
    rgb.layers.push_back(Layer(0, 0, kHeight, kWidth, {0, 1, 2}, 0));
    PsdTestLayer masked = Layer(1, 2, 4, 9, {-1, 0, 1, 2, -2}, 1);
    masked.hasMask = true;
    masked.maskTop = 0;
    masked.maskLeft = 1;
    masked.maskBottom = 2;
    masked.maskRight = 5;
    masked.channels.back().samples = PatternPlane(4, 2, 9);
    masked.additional = KeyedBlock("lrFX", [] {
        Bytes effects = {0, 0, 0, 2};
        const Bytes drop = KeyedBlock("dsdw", ShadowRecord(2, 5, 120, 10, 20, 30, 200));
        const Bytes inner = KeyedBlock("isdw", ShadowRecord(2, 7, 30, 1, 2, 3, 100));
        effects.insert(effects.end(), drop.begin(), drop.end());
        effects.insert(effects.end(), inner.begin(), inner.end());
        return effects;
    }());
    rgb.layers.push_back(masked);
    rgb.layers.push_back(Layer(0, 0, 2, 3, {0, 1, 2}, 1));
    documents["rgb"] = rgb;
    PsdTestDocument grey = Document(1, 1, 0);
    grey.layers.push_back(Layer(1, 1, 5, 12, {0}, 1));
    grey.layers.push_back(Layer(0, 0, 3, 3, {0}, 0));
    documents["grey"] = grey;
    PsdTestDocument indexed = Document(2, 1, 1);
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 256; ++i)
            indexed.colourData.push_back(static_cast<uint8_t>(i * (c + 3)));
    documents["indexed"] = indexed;
    PsdTestDocument bitmap = Document(0, 1, 0);
    bitmap.depth = 1;
    bitmap.mergedPlanes = {PatternPlane(2, kHeight, 4)};
    documents["bitmap"] = bitmap;
    PsdTestDocument cmyk = Document(4, 4, 1);
    cmyk.layers.push_back(Layer(0, 0, kHeight, kWidth, {0, 1, 2, 3}, 0));
    cmyk.layers.push_back(Layer(0, 0, 2, 2, {0, 1, 2, 3}, 1));
    documents["cmyk"] = cmyk;
    return documents;
}

struct PeerReads {
    std::map<std::string, std::vector<std::string>> lines;  // "tool frame" -> fields
};

PeerReads ReadPeers(const std::string& file)
{
    const RunResult run =
        ZAVTest::Run("/usr/bin/python3 " + ShellQuote(DataPath("psd/PsdReaders.py")) + " " + ShellQuote(file));
    EXPECT_EQ(0, run.exitCode) << run.output;  // python3-psd-tools and python3-pil must be installed
    PeerReads reads;
    std::istringstream in(run.output);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string tool, frame;
        fields >> tool >> frame;
        if (frame == "MASK" || frame == "ALPHA") {
            std::string index;
            fields >> index;
            frame += " " + index;
        }
        std::vector<std::string> rest;
        for (std::string field; fields >> field;)
            rest.push_back(field);
        reads.lines[tool + " " + frame] = rest;
    }
    return reads;
}

void CompareFrame(const std::string& file, const PeerReads& peers, int frame)
{
    SCOPED_TRACE("frame " + std::to_string(frame));
    CZAVImg image;
    image.m_pageIndex = frame;
    image.LoadFromFile(file.c_str(), zavifPSD);
    const std::string ours = Hex(ImageRgb(image));
    int readers = 0;
    for (const char* tool : {"psd-tools", "pillow"}) {
        const auto found = peers.lines.find(std::string(tool) + " " + std::to_string(frame));
        if (found == peers.lines.end())
            continue;
        ++readers;
        ASSERT_EQ(3u, found->second.size()) << tool;
        EXPECT_EQ(found->second[0], std::to_string(image.GetWidth())) << tool;
        EXPECT_EQ(found->second[1], std::to_string(image.GetHeight())) << tool;
        EXPECT_EQ(found->second[2], ours) << tool;
    }
    EXPECT_GE(readers, 1);
    const auto alpha = peers.lines.find("psd-tools ALPHA " + std::to_string(frame));
    if (alpha != peers.lines.end()) {
        ASSERT_NE(nullptr, image.GetMask());
        EXPECT_EQ(alpha->second[0], Hex(static_cast<const uint8_t*>(image.GetMask()), image.GetMaskSize()));
    }
    const auto mask = peers.lines.find("psd-tools MASK " + std::to_string(frame));
    if (mask != peers.lines.end()) {
        ASSERT_NE(nullptr, image.GetMask2());
        EXPECT_EQ(mask->second[0], std::to_string(image.GetMask2Width()));
        EXPECT_EQ(mask->second[1], std::to_string(image.GetMask2Height()));
        EXPECT_EQ(mask->second[2], Hex(static_cast<const uint8_t*>(image.GetMask2()), image.GetMask2Size()));
    }
}

TEST(PsdPeers, MergedImageAndLayersMatchPsdToolsAndPillow)
{
    TempDir dir;
    for (const auto& [name, document] : Documents()) {
        SCOPED_TRACE(name);
        const std::string file = dir.File(name + ".psd");
        WriteBytes(file, BuildPsd(document));
        const PeerReads peers = ReadPeers(file);
        for (int frame = 0; frame <= static_cast<int>(document.layers.size()); ++frame)
            CompareFrame(file, peers, frame);
    }
}

// Layered documents ImageMagick wrote (PackBits channels, a layer with
// transparency, CMYK).
TEST(PsdPeers, ImageMagickDocumentsMatchPsdToolsAndPillow)
{
    for (const char* name : {"layered_rgb", "layered_grey", "cmyk"}) {
        SCOPED_TRACE(name);
        const std::string file = DataPath(std::string("psd/") + name + ".psd");
        const PeerReads peers = ReadPeers(file);
        CZAVImg image;
        const int frames = [&] {
            image.LoadFromFile(file.c_str(), zavifPSD);
            return image.GetOwnImageInfo().HasKey("LAYERS") ? image.GetOwnImageInfo().GetValue("LAYERS").GetAsInt() : 0;
        }();
        for (int frame = 0; frame <= frames; ++frame)
            CompareFrame(file, peers, frame);
    }
}

}  // namespace
