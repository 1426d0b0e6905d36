// What our compressor writes, checked by opj_decompress, opj_dump, jpylyzer,
// exiftool and Pillow, and read back by our own decoder.
#include <gtest/gtest.h>

#include <cmath>

#include "JP2TestCodec.h"
#include "support/TestSupport.h"

using namespace JP2Test;

namespace {

EncodeRequest PatternRequest(uint32_t width, uint32_t height, uint32_t components)
{
    EncodeRequest request;
    request.width = width;
    request.height = height;
    request.components = components;
    const std::vector<uint32_t> values = Pattern(width, height, components, 8);
    request.pixels.assign(values.begin(), values.end());
    return request;
}

std::vector<uint8_t> Interleaved(const Decoded& decoded)
{
    std::vector<uint8_t> pixels;
    const size_t count = decoded.planes.empty() ? 0 : decoded.planes[0].samples.size();
    for (size_t i = 0; i < count; ++i)
        for (const Plane& plane : decoded.planes)
            pixels.push_back(static_cast<uint8_t>(plane.samples[i]));
    return pixels;
}

// opj_decompress's planar 8-bit raw output, interleaved again.
std::vector<uint8_t> OpjPixels(const std::string& path, uint32_t components)
{
    const std::vector<uint8_t> planar = OpjRaw(path);
    std::vector<uint8_t> pixels(planar.size());
    const size_t count = planar.size() / components;
    for (size_t i = 0; i < count; ++i)
        for (uint32_t c = 0; c < components; ++c)
            pixels[i * components + c] = planar[c * count + i];
    return pixels;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * a.size() / sum);
}

}  // namespace

TEST(JP2Encode, CodingSettingsReachTheCodestream)
{
    ASSERT_TRUE(ZAVTest::HaveTool("opj_dump"));
    struct Case {
        const char* name;
        uint32_t components;
        std::vector<std::pair<int32_t, intptr_t>> properties;
        std::vector<std::string> dumped;  // lines opj_dump must show
    } cases[] = {
        {"defaults", 3, {}, {"numlayers=1", "numresolutions=6", "cblkw=2^6", "tdx=90", "mct=1"}},
        {"layers_rpcl",
         3,
         {{cJP2_Prop_Layers, 3}, {cJP2_Prop_Progression, 2}, {cJP2_Prop_Levels, 3}},
         {"numlayers=3", "prg=0x2", "numresolutions=4"}},
        {"tiles_blocks",
         1,
         {{cJP2_Prop_Tile_Width, 32},
          {cJP2_Prop_Tile_Height, 16},
          {cJP2_Prop_Code_Block_Width, 16},
          {cJP2_Prop_Code_Block_Height, 32},
          {cJP2_Prop_Progression, 4},
          {cJP2_Prop_Code_Block_Style, 8}},
         {"tdx=32", "tdy=16", "cblkw=2^4", "cblkh=2^5", "prg=0x4", "cblksty=0x8", "numresolutions=5"}},
    };
    ZAVTest::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EncodeRequest request = PatternRequest(90, 70, c.components);
        request.properties = c.properties;
        std::vector<uint8_t> file;
        ASSERT_EQ(EncodeJP2(request, file), 0);
        const std::string path = dir.File(std::string(c.name) + ".jp2");
        ZAVTest::WriteBytes(path, file);
        EXPECT_EQ(OpjPixels(path, c.components), request.pixels);  // reversible: lossless
        EXPECT_EQ(Interleaved(DecodeJP2(file)), request.pixels);
        const std::string dump = ZAVTest::Run("opj_dump -i " + path).output;
        for (const std::string& line : c.dumped)
            EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
    }
}

TEST(JP2Encode, TargetSizeGivesALossyFileNearIt)
{
    // A smooth picture, as photographs are.
    EncodeRequest request = PatternRequest(200, 160, 3);
    for (size_t i = 0; i < request.pixels.size(); ++i) {
        const size_t x = i / 3 % 200, y = i / 600, c = i % 3;
        request.pixels[i] = static_cast<uint8_t>(127 + 100 * std::sin(x / 17.0 + c) * std::cos(y / 23.0));
    }
    request.properties = {{cJP2_Prop_Wavelet, 1}, {cJP2_Prop_Layers, 2}, {cJP2_Prop_Target_Size, 200 * 160 * 3 / 20}};
    std::vector<uint8_t> file;
    ASSERT_EQ(EncodeJP2(request, file), 0);
    EXPECT_LT(file.size(), 200u * 160 * 3 / 20 * 11 / 10 + 200);
    ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("lossy.jp2"), file);
    const std::vector<uint8_t> ours = Interleaved(DecodeJP2(file));
    EXPECT_EQ(ours, OpjPixels(dir.File("lossy.jp2"), 3));
    EXPECT_GT(Psnr(ours, request.pixels), 30.0);
}

TEST(JP2Encode, SmallPicturesLowerTheirLevelsAndRawCodestreamsHaveNoBoxes)
{
    EncodeRequest request = PatternRequest(5, 3, 1);
    request.properties = {{cJP2_Prop_Container, 0}, {cJP2_Prop_Levels, 5}};
    std::vector<uint8_t> codestream;
    ASSERT_EQ(EncodeJP2(request, codestream), 0);
    ASSERT_GE(codestream.size(), 4u);
    EXPECT_EQ(std::vector<uint8_t>(codestream.begin(), codestream.begin() + 4),
              (std::vector<uint8_t>{0xFF, 0x4F, 0xFF, 0x51}));
    EXPECT_EQ(Interleaved(DecodeJP2(codestream)), request.pixels);
}

TEST(JP2Encode, RefusedSettingsAndRecordedRegions)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int32_t, intptr_t>> properties;
    } cases[] = {
        {"bits16", {{cJP2_Prop_Bits, 16}}},
        {"code_block_3", {{cJP2_Prop_Code_Block_Width, 3}}},
        {"code_block_area", {{cJP2_Prop_Code_Block_Width, 128}, {cJP2_Prop_Code_Block_Height, 64}}},
        {"progression_5", {{cJP2_Prop_Progression, 5}}},
        {"no_layers", {{cJP2_Prop_Layers, 0}}},
        {"negative_target", {{cJP2_Prop_Target_Size, -5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EncodeRequest request = PatternRequest(16, 16, 3);
        request.properties = c.properties;
        std::vector<uint8_t> file;
        EXPECT_NE(EncodeJP2(request, file), 0);
    }
    // Regions of interest are recorded and leave the coding unchanged.
    EncodeRequest plain = PatternRequest(16, 16, 3), regions = plain;
    regions.before = [](JP2_Comp_Handle handle) {
        EXPECT_EQ(JP2_Compress_SetROI(handle, 1, 2, 8, 9), 0);
        EXPECT_EQ(JP2_Compress_SetROI_Enhance(handle, 4), 0);
    };
    std::vector<uint8_t> a, b;
    ASSERT_EQ(EncodeJP2(plain, a), 0);
    ASSERT_EQ(EncodeJP2(regions, b), 0);
    EXPECT_EQ(a, b);
}
