// Our decoding against files opj_compress makes and the samples opj_decompress
// reads from them.
#include <gtest/gtest.h>

#include "JP2TestCodec.h"
#include "support/TestSupport.h"

using namespace JP2Test;

namespace {

struct CompressCase {
    const char* name;
    uint32_t components;
    uint32_t bits;
    const char* extension;  // jp2 or j2k
    const char* options;    // opj_compress options beyond input and output
    bool lossless;
};

std::vector<uint32_t> ToPlanar(const std::vector<uint32_t>& interleaved, uint32_t components);

// Raw input as opj_compress reads it: one plane after the other, big-endian above 8 bits.
std::vector<uint8_t> RawBytes(const std::vector<uint32_t>& values, uint32_t components, uint32_t bits)
{
    std::vector<uint8_t> bytes;
    for (uint32_t v : ToPlanar(values, components)) {
        if (bits > 8)
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        bytes.push_back(static_cast<uint8_t>(v));
    }
    return bytes;
}

// opj_decompress's planar raw output as sample values (little-endian above 8 bits).
std::vector<uint32_t> RawSamples(const std::vector<uint8_t>& bytes, uint32_t bits)
{
    std::vector<uint32_t> values;
    for (size_t i = 0; i<bytes.size(); i += bits> 8 ? 2 : 1)
        values.push_back(bits > 8 ? (uint32_t(bytes[i + 1]) << 8) | bytes[i] : bytes[i]);
    return values;
}

std::vector<uint32_t> Planar(const Decoded& decoded)
{
    std::vector<uint32_t> values;
    for (const Plane& plane : decoded.planes)
        values.insert(values.end(), plane.samples.begin(), plane.samples.end());
    return values;
}

std::vector<uint32_t> ToPlanar(const std::vector<uint32_t>& interleaved, uint32_t components)
{
    std::vector<uint32_t> planar(interleaved.size());
    const size_t pixels = interleaved.size() / components;
    for (size_t i = 0; i < pixels; ++i)
        for (uint32_t c = 0; c < components; ++c)
            planar[c * pixels + i] = interleaved[i * components + c];
    return planar;
}

}  // namespace

TEST(JP2Decode, SamplesEqualOpjDecompressOnFilesOpjCompressMakes)
{
    ASSERT_TRUE(ZAVTest::HaveTool("opj_compress"));
    ASSERT_TRUE(ZAVTest::HaveTool("opj_decompress"));
    const CompressCase cases[] = {
        {"grey8", 1, 8, "jp2", "", true},
        {"rgb8", 3, 8, "jp2", "", true},
        {"rgb8_raw", 3, 8, "j2k", "", true},
        {"grey12", 1, 12, "jp2", "", true},
        {"grey16", 1, 16, "jp2", "", true},
        {"grey4", 1, 4, "jp2", "", true},
        {"grey1", 1, 1, "j2k", "", true},
        {"rgb_layers", 3, 8, "jp2", "-r 40,20,10 -I", false},
        {"rgb_tiles_rpcl", 3, 8, "jp2", "-t 24,20 -p RPCL -n 3", true},
        {"rgb_cprl_blocks", 3, 8, "j2k", "-p CPRL -b 16,32 -M 63", true},
        {"grey_pcrl_lossy", 1, 8, "jp2", "-p PCRL -q 30,40 -I", false},
    };
    const uint32_t width = 61, height = 48;
    ZAVTest::TempDir dir;
    for (const CompressCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint32_t> pixels = Pattern(width, height, c.components, c.bits);
        const std::string raw = dir.File(std::string(c.name) + ".raw");
        const std::string coded = dir.File(std::string(c.name) + "." + c.extension);
        ZAVTest::WriteBytes(raw, RawBytes(pixels, c.components, c.bits));
        const std::string format = " -F " + std::to_string(width) + "," + std::to_string(height) + "," +
                                   std::to_string(c.components) + "," + std::to_string(c.bits) + ",u ";
        const auto made = ZAVTest::Run("opj_compress -i " + raw + " -o " + coded + format + c.options);
        ASSERT_EQ(made.exitCode, 0) << made.output;
        const Decoded decoded = DecodeJP2(ZAVTest::ReadBytes(coded));
        ASSERT_EQ(decoded.status, 0);
        ASSERT_EQ(decoded.planes.size(), c.components);
        EXPECT_EQ(decoded.planes[0].bits, int32_t(c.bits));
        EXPECT_EQ(decoded.colourSpace, c.components == 3 ? cJP2_Space_sRGB : cJP2_Space_Grey);
        EXPECT_EQ(Planar(decoded), RawSamples(OpjRaw(coded), c.bits));
        if (c.lossless) {
            EXPECT_EQ(Planar(decoded), ToPlanar(pixels, c.components));
        }
    }
}

TEST(JP2Decode, RgbaPngKeepsItsChannelDefinitions)
{
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    ZAVTest::TempDir dir;
    const std::vector<uint32_t> pixels = Pattern(20, 10, 4, 8);
    ZAVTest::WriteBytes(dir.File("rgba.raw"), std::vector<uint8_t>(pixels.begin(), pixels.end()));
    const auto png = ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; Image.frombytes('RGBA', (20, 10), "
                                  "open('" +
                                  dir.File("rgba.raw") + "', 'rb').read()).save('" + dir.File("rgba.png") + "')\"");
    ASSERT_EQ(png.exitCode, 0) << png.output;
    const auto made = ZAVTest::Run("opj_compress -n 3 -i " + dir.File("rgba.png") + " -o " + dir.File("rgba.jp2"));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const std::vector<uint8_t> file = ZAVTest::ReadBytes(dir.File("rgba.jp2"));
    ASSERT_EQ(WithDecoder(file,
                          [](JP2_Decomp_Handle handle) {
                              const JP2_Channel_Def* defs = nullptr;
                              uint32_t count = 0;
                              ASSERT_EQ(JP2_Decompress_GetChannelDefs(handle, &defs, &count), 0);
                              ASSERT_EQ(count, 4u);
                              EXPECT_EQ(defs[3].type, 1u);
                              EXPECT_EQ(defs[3].association, 0u);
                              EXPECT_EQ(defs[0].association, 1u);
                          }),
              0);
    EXPECT_EQ(Planar(DecodeJP2(file)), ToPlanar(pixels, 4));
}

TEST(JP2Decode, SubsampledChromaOnOwnGridsAndRepeatedOnTheFullGrid)
{
    // 4:2:0 and 4:2:2 as opj_compress takes them from raw planes.
    struct Case {
        const char* name;
        uint32_t dx, dy;
    } cases[] = {{"420", 2, 2}, {"422", 2, 1}};
    const uint32_t width = 30, height = 18;
    ZAVTest::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t cw = width / c.dx, ch = height / c.dy;
        std::vector<uint8_t> raw;
        const std::vector<uint32_t> luma = Pattern(width, height, 1, 8), chroma = Pattern(cw, ch, 2, 8);
        raw.insert(raw.end(), luma.begin(), luma.end());
        for (uint32_t k = 0; k < 2; ++k)
            for (size_t i = 0; i < size_t(cw) * ch; ++i)
                raw.push_back(static_cast<uint8_t>(chroma[i * 2 + k]));
        ZAVTest::WriteBytes(dir.File("ycc.raw"), raw);
        const std::string sub = std::to_string(c.dx) + "x" + std::to_string(c.dy);
        const auto made = ZAVTest::Run("opj_compress -i " + dir.File("ycc.raw") + " -o " + dir.File("ycc.j2k") +
                                       " -n 3 -F 30,18,3,8,u@1x1:" + sub + ":" + sub);
        ASSERT_EQ(made.exitCode, 0) << made.output;
        const std::vector<uint8_t> file = ZAVTest::ReadBytes(dir.File("ycc.j2k"));
        OpjRaw(dir.File("ycc.j2k"));  // opj_decompress reads it too
        const Decoded own = DecodeJP2(file, 0);
        ASSERT_EQ(own.status, 0);
        EXPECT_EQ(own.planes[1].width, cw);
        EXPECT_EQ(own.planes[1].height, ch);
        EXPECT_EQ(Planar(own), std::vector<uint32_t>(raw.begin(), raw.end()));
        const Decoded full = DecodeJP2(file, 1);
        ASSERT_EQ(full.status, 0);
        ASSERT_EQ(full.planes[2].width, width);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                ASSERT_EQ(full.planes[2].samples[y * width + x], chroma[((y / c.dy) * cw + x / c.dx) * 2 + 1]);
    }
}

TEST(JP2Decode, MainHeaderCommentsAreListed)
{
    ZAVTest::TempDir dir;
    const std::vector<uint32_t> pixels = Pattern(16, 16, 1, 8);
    ZAVTest::WriteBytes(dir.File("g.raw"), std::vector<uint8_t>(pixels.begin(), pixels.end()));
    const auto made = ZAVTest::Run("opj_compress -n 3 -i " + dir.File("g.raw") + " -o " + dir.File("g.jp2") +
                                   " -F 16,16,1,8,u -C 'made for a test'");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    WithDecoder(ZAVTest::ReadBytes(dir.File("g.jp2")), [](JP2_Decomp_Handle handle) {
        uint32_t count = 0;
        ASSERT_EQ(JP2_Decompress_GetCOM_Num(handle, &count), 0);
        ASSERT_EQ(count, 1u);
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        ASSERT_EQ(JP2_Decompress_GetCOM_Data(handle, 0, &data, &size), 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "made for a test");
    });
}
