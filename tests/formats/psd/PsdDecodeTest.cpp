// The PSD decoder's edge cases and refusals as one table of small documents
// built in the test, with the layer-information parsers' properties.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/FilterInterface.h"
#include "formats/codec/BuiltInCodecs.h"
#include "formats/psd/PsdBuilder.h"
#include "formats/registry/ImgFormat.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

PsdTestDocument Grey(int width, int height)
{
    PsdTestDocument document;
    document.mode = 1;
    document.channels = 1;
    document.width = static_cast<uint32_t>(width);
    document.height = static_cast<uint32_t>(height);
    document.mergedPlanes = {PatternPlane(width, height, 1)};
    return document;
}

PsdTestLayer Layer(int width, int height, std::vector<int16_t> ids)
{
    PsdTestLayer layer;
    layer.bottom = height;
    layer.right = width;
    for (int16_t id : ids) {
        PsdTestChannel channel;
        channel.id = id;
        channel.samples = Bytes(static_cast<size_t>(width * height), static_cast<uint8_t>(50 + id));
        layer.channels.push_back(channel);
    }
    return layer;
}

void LoadFrame(CZAVImg& image, const Bytes& file, int frame)
{
    image.m_pageIndex = frame;
    image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), zavifPSD);
}

// The offset of the first layer record's blend signature.
size_t FirstBlendSignature(const Bytes& file)
{
    for (size_t i = 26; i + 4 < file.size(); ++i)
        if (file[i] == '8' && file[i + 1] == 'B' && file[i + 2] == 'I' && file[i + 3] == 'M')
            return i;
    return 0;
}

Bytes WithMergedRow(uint16_t count, Bytes codes)
{
    PsdTestDocument document = Grey(4, 1);
    document.mergedCompression = 1;
    Bytes file = BuildPsd(document);
    file.resize(file.size() - 2 - PackBitsRow(document.mergedPlanes[0]).size());
    PutBig(file, count, 2);
    file.insert(file.end(), codes.begin(), codes.end());
    return file;
}

struct RefusalCase {
    const char* name;
    Bytes file;
    int frame;
    const char* text;
};

std::vector<RefusalCase> RefusalCases()
{
    std::vector<RefusalCase> cases;
    PsdTestDocument twoLayers = Grey(4, 3);
    twoLayers.layers = {Layer(4, 3, {0}), Layer(2, 2, {0})};
    cases.push_back({"frame past the layers", BuildPsd(twoLayers), 3, "Decoding PSD: Frame index out of bounds."});
    Bytes signature = BuildPsd(twoLayers);
    std::copy_n("8BXX", 4, signature.begin() + static_cast<long>(FirstBlendSignature(signature)));
    cases.push_back({"blend signature", signature, 0, "Signature was '8BXX' instead of 8BIM"});
    PsdTestDocument manyChannels = Grey(4, 3);
    manyChannels.layers = {Layer(1, 1, std::vector<int16_t>(25, 0))};
    cases.push_back({"25 channels", BuildPsd(manyChannels), 1, "Decoder error: Too many layer channels."});
    Bytes longChannel = BuildPsd(twoLayers);
    const size_t lengthAt = FirstBlendSignature(longChannel) - 4;
    longChannel[lengthAt] = 0x7F;
    cases.push_back({"channel past the file", longChannel, 1, "Decoder error: Invalid channel data length."});
    Bytes manyLayers = BuildPsd(twoLayers);
    const size_t countAt = FirstBlendSignature(manyLayers) - 6 - 18 - 2;
    manyLayers[countAt] = 0x70;
    cases.push_back({"layer count", manyLayers, 1, "Decoder error: Invalid layer count."});
    PsdTestDocument upsideDown = Grey(4, 3);
    upsideDown.layers = {Layer(2, 2, {0})};
    upsideDown.layers[0].top = 5;
    cases.push_back({"negative height", BuildPsd(upsideDown), 1, "Decoder error: Invalid layer size."});
    cases.push_back({"run past the row", WithMergedRow(2, {0xFB, 7}), 0, "Decoder error: Error decoding RLE!"});
    cases.push_back({"counted bytes run out", WithMergedRow(2, {3, 1}), 0, "Decoder error: Error decoding RLE!"});
    PsdTestDocument compression = Grey(2, 2);
    compression.mergedCompression = 2;
    cases.push_back({"compression 2", BuildPsd(compression), 0, "Decoding PSD: Illegal compression value."});
    Bytes notPsd = BuildPsd(Grey(2, 2));
    notPsd[5] = 2;
    cases.push_back({"version 2", notPsd, 0, "Decoder error: Not a PSD file."});
    PsdTestDocument deep = Grey(2, 2);
    deep.depth = 16;
    cases.push_back({"16 bits", BuildPsd(deep), 0, "Decoder error: Invalid color depth."});
    PsdTestDocument lab = Grey(2, 2);
    lab.mode = 9;
    cases.push_back({"Lab", BuildPsd(lab), 0, "Decoder error: Unsupported image mode."});
    PsdTestDocument bomb = Grey(1, 1);
    bomb.width = 40000;
    bomb.height = 40000;
    cases.push_back({"header larger than its data", BuildPsd(bomb), 0, "Decoder error: Image data too short."});
    // An RGB document has no palette: its colour mode data is skipped.
    PsdTestDocument unpaletted = Grey(2, 2);
    unpaletted.mode = 3;
    Bytes longColourData = BuildPsd(unpaletted);
    longColourData[26] = 0x7F;  // the colour mode data's length, past the file
    cases.push_back({"colour data past the file", longColourData, 0, "Decoder error: Error skipping color data."});
    PsdTestDocument widest = Grey(1, 1);
    widest.mode = 3;
    widest.channels = 3;
    widest.width = INT32_MAX;
    widest.height = INT32_MAX;
    cases.push_back({"RGB sides of 31 bits", BuildPsd(widest), 0, "Decoder error: Invalid layer size."});
    return cases;
}

TEST(PsdDecode, RefusalsNameTheirReason)
{
    for (const RefusalCase& c : RefusalCases()) {
        const std::string text = ThrownText([&] {
            CZAVImg image;
            LoadFrame(image, c.file, c.frame);
        });
        EXPECT_NE(std::string::npos, text.find(c.text)) << c.name << ": " << text;
    }
}

struct LoadCase {
    const char* name;
    Bytes file;
    int frame;
    std::function<void(CZAVImg&)> check;
};

std::vector<LoadCase> LoadCases()
{
    std::vector<LoadCase> cases;
    cases.push_back({"no layer section", BuildPsd(Grey(3, 2)), 0, [](CZAVImg& image) {
                         EXPECT_EQ(3, image.GetWidth());
                         EXPECT_EQ(PatternPlane(3, 2, 1)[4], image.GetPixel8(1, 1));
                     }});
    PsdTestDocument negative = Grey(4, 3);
    negative.layers = {Layer(4, 3, {0}), Layer(2, 1, {0})};
    negative.negativeCount = true;
    cases.push_back({"negative count, last layer", BuildPsd(negative), 2, [](CZAVImg& image) {
                         EXPECT_EQ(2, image.GetOwnImageInfo().GetValue("LAYERS").GetAsInt());
                         EXPECT_EQ(2, image.GetWidth());
                         EXPECT_EQ(1, image.GetHeight());
                     }});
    PsdTestDocument rgb = Grey(2, 2);
    rgb.mode = 3;
    rgb.channels = 3;
    rgb.mergedPlanes = {Bytes(4, 9), Bytes(4, 9), Bytes(4, 9)};
    rgb.layers = {Layer(2, 2, {0})};
    cases.push_back({"layer without green and blue", BuildPsd(rgb), 1,
                     [](CZAVImg& image) { EXPECT_EQ(RGB(50, 0, 0), image.GetPixel24(1, 1)); }});
    PsdTestDocument cmyk = Grey(2, 1);
    cmyk.mode = 4;
    cmyk.channels = 4;
    cmyk.mergedPlanes = {{255, 200}, {255, 100}, {255, 50}, {255, 0}};
    cases.push_back({"CMYK extremes", BuildPsd(cmyk), 0, [](CZAVImg& image) {
                         EXPECT_EQ(24, image.GetBitsPerPixel());
                         EXPECT_EQ(RGB(255, 255, 255), image.GetPixel24(0, 0));
                         EXPECT_EQ(RGB(0, 0, 0), image.GetPixel24(1, 0));
                     }});
    PsdTestDocument wideTable = Grey(2, 1);
    wideTable.mode = 2;
    for (int i = 0; i < 900; ++i)
        wideTable.colourData.push_back(static_cast<uint8_t>(i));
    cases.push_back({"colour data of 300 entries", BuildPsd(wideTable), 0, [](CZAVImg& image) {
                         uint32_t entry = 0;
                         image.GetPalette().GetEntry(255, entry);
                         EXPECT_EQ(255, PaletteRed(entry));
                         EXPECT_EQ((300 + 255) % 256, PaletteGreen(entry));
                         EXPECT_EQ((600 + 255) % 256, PaletteBlue(entry));
                     }});
    PsdTestDocument bare = Grey(4, 3);
    bare.layers = {Layer(2, 2, {0}), Layer(3, 1, {0})};
    bare.layers[0].noExtraData = true;
    cases.push_back({"record without extra data", BuildPsd(bare), 2, [](CZAVImg& image) {
                         EXPECT_FALSE(image.GetOwnImageInfo().HasKey("Layer0LayerName"));
                         EXPECT_EQ("layer", image.GetOwnImageInfo().GetValue("Layer1LayerName").GetAsText());
                         EXPECT_EQ(3, image.GetWidth());
                     }});
    return cases;
}

TEST(PsdDecode, EdgeCasesLoad)
{
    for (const LoadCase& c : LoadCases()) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        LoadFrame(image, c.file, c.frame);
        c.check(image);
    }
}

TEST(PsdDecode, FileInformationGivesTheDecodedDepth)
{
    struct Case {
        uint16_t mode, depth, channels;
        int bits;
    };
    for (const Case& c : {Case{0, 1, 1, 1}, Case{1, 8, 1, 8}, Case{2, 8, 1, 8}, Case{3, 8, 3, 24}, Case{4, 8, 4, 24}}) {
        PsdTestDocument document = Grey(8, 1);
        document.mode = c.mode;
        document.depth = c.depth;
        document.channels = c.channels;
        const Bytes file = BuildPsd(document);
        CDataSource source;
        ASSERT_TRUE(source.OpenMemory(file.data(), file.size()));
        CZAVImg image;
        FilterImageInfo info{};
        ASSERT_EQ(1, MakeBuiltInDecoder(zavifPSD)->GetFileInfo(&image, &source, &info));
        EXPECT_EQ(c.bits, info.bitsPerPixel) << c.mode;
    }
}

TEST(PsdDecode, ImageResourcesAreWalkedWhenAsked)
{
    PsdTestDocument document = Grey(2, 2);
    // A resource with an empty name (two bytes) and odd data padded to even.
    document.resources = {'8', 'B', 'I', 'M', 0x03, 0xED, 0, 0, 0, 0, 0, 3, 1, 2, 3, 0};
    CZAVImg image;
    image.m_psdOptionA = 1;
    LoadFrame(image, BuildPsd(document), 0);
    EXPECT_EQ(2, image.GetWidth());
    document.resources[11] = 40;
    CZAVImg broken;
    broken.m_psdOptionA = 1;
    EXPECT_NE(std::string::npos, ThrownText([&] {
                                     LoadFrame(broken, BuildPsd(document), 0);
                                 }).find("Error skipping image resource data."));
    CZAVImg skipping;
    LoadFrame(skipping, BuildPsd(document), 0);
    EXPECT_EQ(2, skipping.GetWidth());
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST(PsdDecode, LayerInformationProperties)
{
    const Bytes shortShadow(30, 0);
    const Bytes effects = Concat({{0, 0, 0, 4},
                                  KeyedBlock("dsdw", ShadowRecord(0, 5, 120, 10, 20, 30, 200)),
                                  KeyedBlock("isdw", ShadowRecord(2, 7, -30, 1, 2, 3, 100)),
                                  KeyedBlock("oglw", Bytes(42, 1)),
                                  KeyedBlock("bevl", Bytes(20, 1))});
    const Bytes secondEffects =
        Concat({{0, 0, 0, 2}, KeyedBlock("dsdw", shortShadow), KeyedBlock("iglw", Bytes(10, 1))});
    PsdTestDocument document = Grey(4, 3);
    document.layers = {Layer(2, 2, {0}), Layer(2, 2, {0}), Layer(1, 1, {0})};
    document.layers[2].additional =
        KeyedBlock("lrFX", Concat({{0, 0, 0, 1}, KeyedBlock("dsdw", ShadowRecord(2, 5, 120, 10, 20, 30, 200))}));
    document.layers[0].additional =
        Concat({KeyedBlock("lrFX", effects), KeyedBlock("iOpa", {128, 0, 0, 0}), KeyedBlock("lyid", {0, 0, 1, 2}),
                KeyedBlock("lnsr", {'c', 'o', 'n', 't'}), KeyedBlock("zzzz", {1, 2, 3, 4})});
    document.layers[1].additional = Concat({KeyedBlock("lrFX", secondEffects), KeyedBlock("iOpa", {1, 2, 3, 4, 5})});
    CZAVImg image;
    LoadFrame(image, BuildPsd(document), 0);
    const CNameVariantPairs& info = image.GetOwnImageInfo();
    const std::pair<const char*, int> ints[] = {
        {"Layer0dsdwBlur", 5},
        {"Layer0dsdwAngle", 120},
        {"Layer0dsdwDist", 9},
        {"Layer0dsdwIntensity", 75},
        {"Layer0dsdwColor", 30 * 65536 + 20 * 256 + 10},
        {"Layer0dsdwOpa", 200},
        {"Layer0dsdwEnabled", 1},
        {"Layer0dsdwGlobLight", 0},
        {"Layer0isdwBlur", 7},
        {"Layer0isdwAngle", -30},
        {"Layer0isdwOpa", 100},
        {"Layer0oglwEnabled", 1},
        {"Layer0oglwBlur", 0},
        {"Layer0bevlEnabled", 1},
        {"Layer0bevlInvUpDown", 0},
        {"Layer0iOpa", 128},
        {"Layer0lyid", 258},
        {"Layer1iglwEnabled", 1},
        {"Layer0Opacity", 0},
    };
    for (const auto& [key, value] : ints) {
        ASSERT_TRUE(info.HasKey(key)) << key;
        EXPECT_EQ(value, info.GetValue(key).GetAsInt()) << key;
    }
    EXPECT_EQ("mul ", info.GetValue("Layer0dsdwBlend").GetAsText());
    EXPECT_EQ("cont", info.GetValue("Layer0lnsr").GetAsText());
    EXPECT_EQ("", info.GetValue("Layer0bevlHighBlend").GetAsText());
    // A shadow record shorter than its fields and an iOpa block of 5 bytes
    // set nothing; the blocks after them are still read.
    EXPECT_FALSE(info.HasKey("Layer1dsdwBlur"));
    EXPECT_FALSE(info.HasKey("Layer1iOpa"));
    EXPECT_EQ("layer", info.GetValue("Layer1LayerName").GetAsText());
    // A version 2 shadow record (51 bytes) gives what the 41-byte one gives.
    for (const char* field : {"Blur", "Intensity", "Angle", "Dist", "Color", "Enabled", "Opa", "GlobLight", "Blend"})
        EXPECT_EQ(info.GetValue(std::string("Layer0dsdw") + field).GetAsText(),
                  info.GetValue(std::string("Layer2dsdw") + field).GetAsText())
            << field;
}

}  // namespace
