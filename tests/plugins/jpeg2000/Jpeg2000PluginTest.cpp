// The JPEG 2000 plug-in as the host meets it: saves and loads through its
// exports, its settings and its image information, checked against
// opj_compress-made files and our own round trips.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/FilterInterface.h"
#include "foundation/containers/NameVariantPairs.h"
#include "platform/GlobalMem.h"
#include "platform/Loader.h"
#include "support/GlobalBlocks.h"
#include "support/TestSupport.h"

namespace {

struct Loaded {
    int result = 0;
    std::string error;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
    FilterImageInfo info = {};
};

using ZAVTest::BlockOf;
using ZAVTest::TakeBlock;

class Jpeg2000Plugin : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryA(ZAVTest::BinPath("ZAVJ2k20.so").c_str());
        ASSERT_NE(m_module, nullptr);
        Settings(DefaultSettings());
        Export<FilterJPEG2000Settings2>("JPEG2000Settings2")(0);
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    template <class F>
    F* Export(const char* name)
    {
        return reinterpret_cast<F*>(GetProcAddress(m_module, name));
    }

    static Jpeg2000EncoderSettings DefaultSettings() { return {{1, 1, 99, 0, 0, 0, 0, 0, 0}, 0, 0, 0, nullptr}; }
    int Settings(const Jpeg2000EncoderSettings& settings)
    {
        return Export<FilterJPEG2000Settings>("JPEG2000Settings")(settings);
    }

    // Saves into memory; the error text in error.
    std::vector<uint8_t> Save(const std::vector<uint8_t>& pixels, const FilterImageInfo& info,
                              const std::vector<uint8_t>& palette, std::string& error)
    {
        std::vector<uint8_t> out(pixels.size() * 2 + 4096);
        HGLOBAL pixelBlock = BlockOf(pixels), paletteBlock = palette.empty() ? nullptr : BlockOf(palette);
        char text[kFilterTextBufferSize] = {};
        uint32_t written = 0;
        const int result = Export<FilterSavePictureToMem>("SavePictureToMem")(
            out.data(), static_cast<uint32_t>(out.size()), pixelBlock, static_cast<uint32_t>(pixels.size()), 0,
            paletteBlock, static_cast<uint32_t>(palette.size()), &info, &written, text);
        GlobalFree(pixelBlock);
        GlobalFree(paletteBlock);
        error = text;
        out.resize(result ? written : 0);
        return out;
    }

    Loaded Load(const std::vector<uint8_t>& file)
    {
        Loaded loaded;
        HGLOBAL pixels = nullptr, palette = nullptr;
        uint32_t pixelBytes = 0, paletteBytes = 0;
        int32_t isDib = 0;
        char text[kFilterTextBufferSize] = {};
        loaded.result = Export<FilterLoadPictureFromMem>("LoadPictureFromMem")(
            file.data(), static_cast<uint32_t>(file.size()), &pixels, &pixelBytes, &isDib, &palette, &paletteBytes,
            &loaded.info, text);
        loaded.error = text;
        loaded.pixels = TakeBlock(pixels, pixelBytes);
        loaded.palette = TakeBlock(palette, paletteBytes);
        return loaded;
    }

    ZAV::CNameVariantPairs& Properties() { return *Export<FilterGetImageProperties>("GetImageProperties")(); }

    std::vector<uint8_t> OpjCompress(const std::vector<uint8_t>& raw, const std::string& format,
                                     const std::string& options = "")
    {
        ZAVTest::WriteBytes(m_dir.File("in.raw"), raw);
        const auto run = ZAVTest::Run("opj_compress -i " + m_dir.File("in.raw") + " -o " + m_dir.File("out.jp2") +
                                      " -F " + format + " " + options);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return ZAVTest::ReadBytes(m_dir.File("out.jp2"));
    }

    HMODULE m_module = nullptr;
    ZAVTest::TempDir m_dir;
};

std::vector<uint8_t> Ramp(size_t count, uint32_t step)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * step + i / 7);
    return bytes;
}

}  // namespace

TEST_F(Jpeg2000Plugin, RgbRoundTripKeepsPixelsAndResolution)
{
    const FilterImageInfo info = {40, 30, 24, 300, 150};
    const std::vector<uint8_t> pixels = Ramp(40 * 30 * 3, 5);
    std::string error;
    const std::vector<uint8_t> file = Save(pixels, info, {}, error);
    ASSERT_FALSE(file.empty()) << error;
    ZAVTest::WriteBytes(m_dir.File("rgb.jp2"), file);
    EXPECT_EQ(ZAVTest::Run("opj_decompress -i " + m_dir.File("rgb.jp2") + " -o " + m_dir.File("rgb.png")).exitCode, 0);
    const Loaded loaded = Load(file);
    ASSERT_EQ(loaded.result, 1) << loaded.error;
    EXPECT_EQ(loaded.pixels, pixels);
    EXPECT_EQ(loaded.info.bitsPerPixel, 24);
    EXPECT_EQ(loaded.info.dpiX, 300);
    EXPECT_EQ(loaded.info.dpiY, 150);
    EXPECT_TRUE(loaded.palette.empty());
    EXPECT_EQ(Properties().GetValue("COLORINFO").GetText(), "RGBa");
}

TEST_F(Jpeg2000Plugin, EightBitPicturesAsGreyOrPalette)
{
    std::vector<uint8_t> ramp(1024), colours(1024);
    for (uint32_t i = 0; i < 256; ++i) {
        ramp[4 * i] = ramp[4 * i + 1] = ramp[4 * i + 2] = static_cast<uint8_t>(i);
        colours[4 * i] = static_cast<uint8_t>(255 - i);  // blue
        colours[4 * i + 1] = static_cast<uint8_t>(i / 2);
        colours[4 * i + 2] = static_cast<uint8_t>(i);  // red
    }
    const FilterImageInfo info = {16, 8, 8, 0, 0};
    const std::vector<uint8_t> pixels = Ramp(16 * 8, 3);
    struct Case {
        const char* name;
        std::vector<uint8_t> palette;
        const char* colourInfo;
    } cases[] = {{"no_palette", {}, "Gray"}, {"grey_ramp", ramp, "Gray"}, {"colours", colours, "Palette_RGBa"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const std::vector<uint8_t> file = Save(pixels, info, c.palette, error);
        ASSERT_FALSE(file.empty()) << error;
        const Loaded loaded = Load(file);
        ASSERT_EQ(loaded.result, 1) << loaded.error;
        EXPECT_EQ(loaded.info.bitsPerPixel, 8);
        EXPECT_EQ(loaded.pixels, pixels);
        EXPECT_EQ(Properties().GetValue("COLORINFO").GetText(), c.colourInfo);
        ASSERT_EQ(loaded.palette.size(), 1024u);
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(loaded.palette[4 * i + k], (c.palette.empty() ? ramp : c.palette)[4 * i + k]);
    }
}

TEST_F(Jpeg2000Plugin, MetadataComesBackAsImageInformation)
{
    ZAV::Jpeg2000MetadataRecord record;
    record.xmlData = {'<', 'a', '/', '>'};
    record.iptcData = {0x1C, 0x02, 0x05, 0x00, 0x01, 'x'};
    record.uuidId = "00112233445566778899aabbccddeeff";
    record.uuidData = {1, 2, 3};
    record.uuidInfoIds = {"FFEEDDCCBBAA99887766554433221100"};
    Jpeg2000EncoderSettings settings = DefaultSettings();
    settings.metadata = &record;
    ASSERT_EQ(Settings(settings), 1);
    std::string error;
    const std::vector<uint8_t> file = Save(Ramp(8 * 8 * 3, 1), {8, 8, 24, 72, 72}, {}, error);
    ASSERT_FALSE(file.empty()) << error;
    ASSERT_EQ(Load(file).result, 1);
    ZAV::CNameVariantPairs& properties = Properties();
    auto bytes = [&](const char* key) {
        const auto& array = properties.GetValue(key).GetBytes();
        return std::vector<uint8_t>(array.GetData(), array.GetData() + array.GetSize());
    };
    EXPECT_EQ(bytes("XML0"), record.xmlData);
    EXPECT_EQ(bytes("IPTC0"), record.iptcData);
    EXPECT_EQ(properties.GetValue("UUIDID0").GetText(), "00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(bytes("UUID0"), record.uuidData);
    EXPECT_EQ(properties.GetValue("UUIDINFO0").GetText(), "{FFEEDDCCBBAA99887766554433221100}");
    EXPECT_FALSE(properties.HasKey("UUIDID1"));  // the IPTC box is no UUID of its own
}

TEST_F(Jpeg2000Plugin, SaveSettingsEdgeCases)
{
    struct Case {
        const char* name;
        double rate;
        int32_t fileSize;
        size_t rectangles;
        const char* uuid;
        int32_t depth;
        const char* error;  // empty: the save succeeds
    } cases[] = {
        {"exclusive", 10, 500, 0, "", 24,
         "Jpeg2000 settings CompressionRate, CompressionBitRate, CompressionDestinationFileSize are exclusive! You "
         "can just use one of them and not two or more."},
        {"sixteen_rectangles", 0, 0, 16, "", 24, ""},
        {"seventeen_rectangles", 0, 0, 17, "", 24, "There are 16 ROI Enhance Rectangles allowed"},
        {"uuid_31_characters", 0, 0, 0, "0123456789ABCDEF0123456789ABCDE", 24, ""},
        {"rate_10", 10, 0, 0, "", 24, ""},
        {"negative_rate", -2, 0, 0, "", 24,
         "Jpeg2000 settings CompressionRate, CompressionBitRate and CompressionDestinationFileSize must not be "
         "negative!"},
        {"sixteen_bits", 0, 0, 0, "", 16, "Jpeg2000 Export library supports 8 and 24 bit image data only!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZAV::Jpeg2000MetadataRecord record;
        record.roiRectangles.assign(c.rectangles * 4, 2);
        record.uuidId = c.uuid;
        record.uuidData = {9};
        Jpeg2000EncoderSettings settings = DefaultSettings();
        settings.CompressionRate = c.rate;
        settings.CompressionDestinationFileSize = c.fileSize;
        settings.metadata = &record;
        ASSERT_EQ(Settings(settings), 1);
        std::string error;
        const uint32_t bytes = c.depth == 16 ? 2 : 3;
        const std::vector<uint8_t> file = Save(Ramp(100 * 100 * bytes, 7), {100, 100, c.depth, 96, 96}, {}, error);
        EXPECT_EQ(error, c.error);
        if (c.error[0] != 0)
            continue;
        ASSERT_EQ(Load(file).result, 1);
        if (std::strlen(c.uuid) == 31) {
            EXPECT_EQ(Properties().GetValue("UUIDID0").GetText(), std::string(32, '0'));
        }
        if (c.rate == 10) {
            EXPECT_LE(file.size(), 3000u + 400);  // 100 x 100 x 3 / 10 and the boxes
        }
    }
    Settings(DefaultSettings());
    // A host block shorter than its picture.
    std::string error;
    EXPECT_TRUE(Save(Ramp(100, 1), {100, 100, 24, 96, 96}, {}, error).empty());
    EXPECT_EQ(error, "Invalid memory block!");
}

TEST_F(Jpeg2000Plugin, OpjCompressFilesLoadAsDocumented)
{
    ASSERT_TRUE(ZAVTest::HaveTool("opj_compress"));
    // 16-bit grey: low byte first, or its high byte with JPEG2000Settings2.
    std::vector<uint8_t> raw16;
    for (uint32_t i = 0; i < 64; ++i) {
        raw16.push_back(static_cast<uint8_t>(i * 3));
        raw16.push_back(static_cast<uint8_t>(i));
    }
    const std::vector<uint8_t> grey16 = OpjCompress(raw16, "8,8,1,16,u", "-n 2");
    Loaded wide = Load(grey16);
    ASSERT_EQ(wide.result, 1) << wide.error;
    EXPECT_EQ(wide.info.bitsPerPixel, 16);
    EXPECT_EQ(wide.pixels[2 * 5], 5);
    EXPECT_EQ(wide.pixels[2 * 5 + 1], 15);
    Export<FilterJPEG2000Settings2>("JPEG2000Settings2")(1);
    Loaded narrow = Load(grey16);
    ASSERT_EQ(narrow.result, 1);
    EXPECT_EQ(narrow.info.bitsPerPixel, 8);
    EXPECT_EQ(narrow.pixels[5], 15);
    EXPECT_EQ(narrow.palette.size(), 1024u);
    Export<FilterJPEG2000Settings2>("JPEG2000Settings2")(0);
    // 4-bit and 1-bit grey are scaled to the byte: the largest value is white.
    std::vector<uint8_t> raw4(64);
    for (uint32_t i = 0; i < 64; ++i)
        raw4[i] = static_cast<uint8_t>(i % 16);
    const Loaded four = Load(OpjCompress(raw4, "8,8,1,4,u", "-n 2 -C 'four bits'"));
    ASSERT_EQ(four.result, 1) << four.error;
    EXPECT_EQ(four.pixels[15], 255);
    EXPECT_EQ(four.pixels[1], 17);
    const auto& comment = Properties().GetValue("COMMENT0").GetBytes();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(comment.GetData()), comment.GetSize()), "four bits");
    const Loaded one = Load(OpjCompress(std::vector<uint8_t>(64, 1), "8,8,1,1,u", "-n 2"));
    ASSERT_EQ(one.result, 1) << one.error;
    EXPECT_EQ(one.pixels[0], 255);
}

TEST_F(Jpeg2000Plugin, SubsampledYccComesOutAsRgb)
{
    // 4:2:0: an 8 x 8 luma plane and two 4 x 4 chroma planes.
    std::vector<uint8_t> raw;
    for (uint32_t i = 0; i < 64; ++i)
        raw.push_back(static_cast<uint8_t>(60 + i * 2));
    for (uint32_t i = 0; i < 16; ++i)
        raw.push_back(static_cast<uint8_t>(100 + i));
    for (uint32_t i = 0; i < 16; ++i)
        raw.push_back(static_cast<uint8_t>(150 - i));
    const Loaded loaded = Load(OpjCompress(raw, "8,8,3,8,u@1x1:2x2:2x2", "-n 2"));
    ASSERT_EQ(loaded.result, 1) << loaded.error;
    ASSERT_EQ(loaded.info.bitsPerPixel, 24);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x) {
            const double luma = raw[y * 8 + x], cb = raw[64 + (y / 2) * 4 + x / 2] - 128.0,
                         cr = raw[80 + (y / 2) * 4 + x / 2] - 128.0;
            const double rgb[3] = {luma + 1.402 * cr, luma - 0.34413 * cb - 0.71414 * cr, luma + 1.772 * cb};
            for (int k = 0; k < 3; ++k)
                ASSERT_NEAR(loaded.pixels[(y * 8 + x) * 3 + k], std::min(255.0, std::max(0.0, rgb[k])), 1.0);
        }
}

TEST_F(Jpeg2000Plugin, DamagedDataGivesATextAndZero)
{
    const Loaded loaded = Load(std::vector<uint8_t>{0, 0, 0, 12, 'j', 'P', ' ', ' ', 13, 10, 0x87, 10, 0, 0});
    EXPECT_EQ(loaded.result, 0);
    EXPECT_FALSE(loaded.error.empty());
    EXPECT_TRUE(loaded.pixels.empty());
}
