// The WMF/EMF codec: pictures saved as enhanced metafiles load again with
// their pixels, Pillow reads the saved header, the placeable header gives
// the file information, and metafiles the layer cannot play are refused
// with their texts.
#include "formats/codec/PicDecoder.h"
#include "formats/emf/WMFDecoder.h"
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"
#include "platform/gdi/GdiKnobs.h"
#include "support/MetafileBuilder.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

// The screen stand-in: 1440 x 960 pixels, 381 x 254 mm, 96 dpi.
int FrameHundredths(int pixels, int millimetres, int devicePixels)
{
    return (pixels * millimetres * 100 + devicePixels - 1) / devicePixels;
}

std::vector<uint8_t> SaveAsEmf(CZAVImg& image, const std::string& path)
{
    int64_t bytes = 0;
    image.m_prepareBeforeSave = 0;
    image.SaveToFile(path.c_str(), zavifWMF, &bytes);
    const std::vector<uint8_t> file = ReadBytes(path);
    EXPECT_EQ(static_cast<int64_t>(file.size()), bytes);
    return file;
}

// The record types after the header, in order.
std::vector<uint32_t> RecordTypes(const std::vector<uint8_t>& file)
{
    const auto dword = [&](size_t at) {
        return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
               uint32_t(file[at + 3]) << 24;
    };
    std::vector<uint32_t> types;
    for (size_t at = dword(4); at + 8 <= file.size() && dword(at + 4) >= 8; at += dword(at + 4))
        types.push_back(dword(at));
    return types;
}

const char kPillowHeader[] = R"(import struct, sys
from PIL import Image
im = Image.open(sys.argv[1])
raw = open(sys.argv[1], 'rb').read(108)
dpi = im.info['dpi']
dpi = dpi if isinstance(dpi, float) else dpi[0]
print(im.format, *im.size, *im.info['wmf_bbox'], '%.4f' % dpi, *struct.unpack('<4i', raw[24:40]),
      *struct.unpack('<4i', raw[72:88]))
)";

TEST(WmfEncoder, SavedPicturesLoadAgainWithTheSamePixels)
{
    const struct {
        int depth, width, height;
    } cases[] = {{1, 7, 5}, {1, 33, 2}, {8, 1, 1}, {8, 100, 50}, {24, 13, 9}, {24, 64, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + " bits " + std::to_string(c.width) + "x" + std::to_string(c.height));
        CZAVImg image;
        FillPatternImage(image, c.width, c.height, c.depth);
        TempDir dir;
        const std::vector<uint8_t> file = SaveAsEmf(image, dir.File("out.emf"));
        ASSERT_GT(file.size(), 108u);
        EXPECT_EQ(std::vector<uint8_t>({1, 0, 0, 0, 108, 0, 0, 0}),
                  std::vector<uint8_t>(file.begin(), file.begin() + 8));
        EXPECT_EQ(std::vector<uint32_t>({17, 9, 11, 81, 14}), RecordTypes(file))
            << "isotropic mapping at the screen's resolution, then the picture as one EMR_STRETCHDIBITS";
        CZAVImg loaded;
        loaded.LoadFromFile(dir.File("out.emf").c_str(), zavifWMF);
        EXPECT_EQ(24, loaded.GetBitsPerPixel());
        EXPECT_EQ(c.width, loaded.GetWidth());
        EXPECT_EQ(c.height, loaded.GetHeight());
        std::vector<uint8_t> expected = ImageRgb(image);
        EXPECT_EQ(expected, ImageRgb(loaded));
    }
}

TEST(WmfEncoder, PillowReadsTheFrameAndDeviceOfTheScreenAtNinetySixDpi)
{
    ASSERT_TRUE(HaveTool("/usr/bin/python3"));
    for (const auto& size : {std::pair<int, int>{100, 50}, {37, 20}}) {
        const int w = size.first, h = size.second;
        SCOPED_TRACE(std::to_string(w));
        CZAVImg image;
        FillPatternImage(image, w, h, 24);
        TempDir dir;
        SaveAsEmf(image, dir.File("out.emf"));
        const RunResult run = RunPython(dir, kPillowHeader, ShellQuote(dir.File("out.emf")));
        ASSERT_EQ(0, run.exitCode) << run.output;
        // Pillow takes the inclusive bounds as exclusive: W - 1 by H - 1.
        const int frameX = FrameHundredths(w, 381, 1440), frameY = FrameHundredths(h, 254, 960);
        char dpi[32];
        std::snprintf(dpi, sizeof dpi, "%.4f", 2540.0 * (w - 1) / frameX);
        std::ostringstream expected;
        expected << "WMF " << w - 1 << " " << h - 1 << " 0 0 " << w - 1 << " " << h - 1 << " " << dpi << " 0 0 "
                 << frameX << " " << frameY << " 1440 960 381 254\n";
        EXPECT_EQ(expected.str(), run.output);
        EXPECT_NEAR(96.0, std::stod(dpi) * w / (w - 1), 0.05);
    }
}

TEST(WmfEncoder, AFailedPaintWritesNoMetafile)
{
    CZAVImg image;
    FillPatternImage(image, 8, 8, 24);
    TempDir dir;
    GdiKnobs().drawDibDraw = true;
    const std::string text = ThrownText([&] {
        int64_t bytes = 0;
        image.SaveToFile(dir.File("out.emf").c_str(), zavifWMF, &bytes);
    });
    ResetGdiKnobs();
    EXPECT_EQ("Can't get metafile bits!; ", text);  // the save path adds the codec text, empty here
    EXPECT_FALSE(FileExists(dir.File("out.emf")));
}

FilterImageInfo InfoOf(const MetaBytes& bytes)
{
    CZAVImg image;
    CDataSource source;
    source.OpenMemory(bytes.data(), bytes.size());
    CWMFDecoder decoder;
    FilterImageInfo info{};
    decoder.GetFileInfo(&image, &source, &info);
    return info;
}

TEST(WmfDecoder, FileInformationComesFromThePlaceableHeader)
{
    WmfBuilder wmf;
    wmf.Record(0x0103, {8});
    const struct {
        const char* name;
        MetaBytes bytes;
        int width, height;
    } cases[] = {{"1440 units per inch", wmf.FinishPlaceable(0, 0, 1440, 720, 1440), 96, 48},
                 {"reversed box", wmf.FinishPlaceable(1440, 720, 0, 0, 1440), 96, 48},
                 {"no units per inch", wmf.FinishPlaceable(0, 0, 1440, 720, 0), 0, 0},
                 {"plain metafile", wmf.Finish(), 0, 0},
                 {"enhanced metafile", EmfBuilder(2540, 2540).Finish(), 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FilterImageInfo info = InfoOf(c.bytes);
        EXPECT_EQ(c.width, info.width);
        EXPECT_EQ(c.height, info.height);
        EXPECT_EQ(24, info.bitsPerPixel);
    }
    MetaBytes wrongType = wmf.Finish();
    wrongType[0] = 3;
    EXPECT_EQ("Invalid file header!", ThrownText([&] { InfoOf(wrongType); }));
    MetaBytes placeableWrongType = wmf.FinishPlaceable(0, 0, 1440, 720, 1440);
    placeableWrongType[22] = 0;
    EXPECT_EQ("Invalid file header!", ThrownText([&] { InfoOf(placeableWrongType); }));
}

TEST(WmfDecoder, WithoutUnitsPerInchMemoryDataIsConvertedAtFourHundredHundredths)
{
    WmfBuilder wmf;
    wmf.Record(0x020C, {10, 10})
        .Record(0x0F43, {0x0020, 0x00CC, 0, 1, 1, 0, 0, 10, 10, 0, 0},
                MakeDib(24, 1, 1, [](int, int) { return 0x102030u; }));
    CZAVImg image;
    const MetaBytes bytes = wmf.FinishPlaceable(0, 0, 10, 10, 0);
    image.LoadFromMemory(bytes.data(), static_cast<int64_t>(bytes.size()), zavifWMF);
    // 400 hundredths of a millimetre at 1440 pixels per 381 mm.
    EXPECT_EQ(15, image.GetWidth());
    EXPECT_EQ(15, image.GetHeight());
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), image.GetPixel24(7, 7));
}

EmfBuilder SmallEmf()
{
    EmfBuilder emf(264, 264);  // 10 x 10 pixels
    emf.StretchDIBits(0, 0, 10, 10, 0, 0, 1, 1, MakeDib(24, 1, 1, [](int, int) { return 0xFF0000u; }), 0);
    return emf;
}

TEST(WmfDecoder, MetafilesTheLayerCannotPlayAreRefusedWithTheirTexts)
{
    WmfBuilder floodFill;
    floodFill.Record(0x020C, {10, 10}).Record(0x0419, {0, 0, 5, 5});
    MetaBytes angleArc = {41, 0, 0, 0, 28, 0, 0, 0};
    angleArc.resize(28, 0);
    MetaBytes patternBrush = {94, 0, 0, 0, 32, 0, 0, 0, 1};
    patternBrush.resize(32, 0);
    MetaBytes rle = MakeDib(
        8, 2, 2, [](int, int) { return 0u; }, {0, 0xFFFFFF}, 1);
    MetaBytes pastData = SmallEmf().Finish();
    pastData[108 + 6] = 1;  // the first record claims 64 KiB more than there is
    MetaBytes oddSize = SmallEmf().Finish();
    oddSize[108 + 4] += 2;
    MetaBytes noMillimetres = SmallEmf().Finish();
    noMillimetres[80] = noMillimetres[81] = 0;
    MetaBytes truncated = SmallEmf().Finish();
    truncated.resize(truncated.size() - 40);
    const struct {
        const char* name;
        MetaBytes bytes;
        const char* text;
    } cases[] = {
        {"META_FLOODFILL", floodFill.FinishPlaceable(0, 0, 10, 10, 96),
         "Can't set WMF bits! The request is not supported."},
        {"EMR_ANGLEARC", EmfBuilder(264, 264).Raw(angleArc).Finish(), "Unsupported metafile record 41!"},
        {"EMR_CREATEDIBPATTERNBRUSHPT", EmfBuilder(264, 264).Raw(patternBrush).Finish(),
         "Unsupported metafile record 94!"},
        {"BI_RLE8 DIB", EmfBuilder(264, 264).StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, rle, 2).Finish(),
         "Unsupported metafile record 81!"},
        {"SRCAND", EmfBuilder(264, 264).StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, rle, 2, 0x008800C6).Finish(),
         "Unsupported metafile record 81!"},
        {"record past the data", pastData, "Unsupported metafile record 81!"},
        {"record size not a multiple of 4", oddSize, "Unsupported metafile record 81!"},
        // Not enhanced metafiles any more: the old-style conversion refuses them.
        {"zero device millimetres", noMillimetres, "Can't set WMF bits! The data is not valid."},
        {"cut short", truncated, "Can't set WMF bits! The data is not valid."},
        {"100000 x 100000 pixel frame", EmfBuilder(2645834, 2645834).Finish(),
         "Can't set WMF bits! The data is not valid."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.File("in.wmf"), c.bytes);
        CZAVImg image;
        EXPECT_EQ(c.text, ThrownText([&] { image.LoadFromFile(dir.File("in.wmf").c_str(), zavifWMF); }));
        EXPECT_FALSE(image.HasImage());
    }
}

}  // namespace
