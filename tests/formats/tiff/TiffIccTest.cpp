// ICC conversion of TIFF images through Little CMS: a CMYK file with a
// CMYK profile made in the test converts within a small tolerance of
// Little CMS's own float result, and the refusals keep their texts.
#include <gtest/gtest.h>
#include <lcms2.h>
#include <tiffio.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TiffTestSupport.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTiffTest;

namespace {

constexpr double kMaxSample = 65535.0;

// CMYK to Lab: the inks' naive RGB, seen as sRGB.
cmsInt32Number CmykToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo)
{
    const double k = in[3] / kMaxSample;
    const double rgb[3] = {(1 - in[0] / kMaxSample) * (1 - k), (1 - in[1] / kMaxSample) * (1 - k),
                           (1 - in[2] / kMaxSample) * (1 - k)};
    cmsCIELab lab;
    cmsDoTransform(static_cast<cmsHTRANSFORM>(cargo), rgb, &lab, 1);
    cmsFloat2LabEncodedV2(out, &lab);
    return TRUE;
}

// A CMYK input profile of Little CMS: one lookup table from CMYK to Lab
// (version 2, whose lut16 type holds a lone table).
std::vector<uint8_t> MakeCmykProfile()
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_PERCEPTUAL, 0);
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 2.1);
    cmsSetDeviceClass(profile, cmsSigInputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(table, CmykToLab, toLab, 0);
    cmsPipelineInsertStage(pipeline, cmsAT_BEGIN, table);
    cmsWriteTag(profile, cmsSigAToB0Tag, pipeline);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsPipelineFree(pipeline);
    cmsCloseProfile(profile);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    EXPECT_GT(bytes.size(), 128u);
    return bytes;
}

std::string SaveSrgbProfile(ZAVTest::TempDir& dir)
{
    const std::string path = dir.File("srgb.icc");
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsSaveProfileToFile(srgb, path.c_str());
    cmsCloseProfile(srgb);
    return path;
}

// Little CMS's float result for the CMYK bytes (0 to 100 per ink).
std::vector<uint8_t> ReferenceRgb(const std::vector<uint8_t>& profile, const std::string& srgbPath,
                                  const std::vector<uint8_t>& cmyk)
{
    cmsHPROFILE source = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
    cmsHPROFILE destination = cmsOpenProfileFromFile(srgbPath.c_str(), "r");
    cmsHTRANSFORM transform =
        cmsCreateTransform(source, TYPE_CMYK_FLT, destination, TYPE_RGB_FLT, INTENT_PERCEPTUAL, 0);
    std::vector<float> in(cmyk.size()), out(cmyk.size() / 4 * 3);
    for (size_t i = 0; i < cmyk.size(); ++i)
        in[i] = cmyk[i] * 100.0f / 255.0f;
    cmsDoTransform(transform, in.data(), out.data(), static_cast<cmsUInt32Number>(cmyk.size() / 4));
    std::vector<uint8_t> rgb(out.size());
    for (size_t i = 0; i < out.size(); ++i)
        rgb[i] = static_cast<uint8_t>(std::min(1.0f, std::max(0.0f, out[i])) * 255 + 0.5f);
    cmsDeleteTransform(transform);
    cmsCloseProfile(source);
    cmsCloseProfile(destination);
    return rgb;
}

TiffFile CmykFile(const std::vector<uint8_t>& profile, uint16_t bits = 8)
{
    TiffFile file;
    file.width = 24, file.height = 10, file.bits = bits, file.samples = 4, file.photometric = PHOTOMETRIC_SEPARATED;
    file.rows = PatternBytes(size_t(24) * 10 * 4 * bits / 8, 11);
    // The first pixel carries no ink.
    std::fill(file.rows.begin(), file.rows.begin() + 4 * bits / 8, 0);
    file.iccProfile = profile;
    return file;
}

void EnableIcc(CZAVImg& image, const std::string& destination, const std::string& source = "")
{
    image.m_iccOption = 1;
    image.m_spareTexts[0] = String(destination.c_str());
    image.m_spareTexts[1] = String(source.c_str());
}

bool TemporaryProfilesLeft()
{
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().rfind("zavicc", 0) == 0)
            return true;
    return false;
}

TEST(TiffIcc, CmykWithItsProfileConvertsLikeLittleCms)
{
    ZAVTest::TempDir dir;
    const std::vector<uint8_t> profile = MakeCmykProfile();
    const std::string srgb = SaveSrgbProfile(dir);
    const TiffFile file = CmykFile(profile);
    const std::string path = dir.File("cmyk.tif");
    WriteTiff(path, file);
    CZAVImg image;
    EnableIcc(image, srgb);
    image.LoadFromFile(path.c_str(), 5);
    ASSERT_EQ(image.GetBitsPerPixel(), 24);
    const std::vector<uint8_t> ours = ImageRgb(image);
    EXPECT_LE(MaxDifference(ours, ReferenceRgb(profile, srgb, file.rows)), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(ours[i], 250) << "white stays white";
    EXPECT_FALSE(TemporaryProfilesLeft());
}

TEST(TiffIcc, SourceProfilePathServesFilesWithoutOne)
{
    ZAVTest::TempDir dir;
    const std::string srgb = SaveSrgbProfile(dir);
    TiffFile file;
    file.width = 9, file.height = 4, file.samples = 3, file.photometric = PHOTOMETRIC_RGB;
    file.rows = PatternBytes(9 * 4 * 3, 5);
    const std::string path = dir.File("rgb.tif");
    WriteTiff(path, file);
    CZAVImg image;
    EnableIcc(image, srgb, srgb);
    image.LoadFromFile(path.c_str(), 5);
    EXPECT_LE(MaxDifference(ImageRgb(image), file.rows), 1);
    EXPECT_FALSE(TemporaryProfilesLeft());
}

TEST(TiffIcc, RefusalsKeepTheirTexts)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    ZAVTest::TempDir dir;
    const std::vector<uint8_t> profile = MakeCmykProfile();
    const std::string srgb = SaveSrgbProfile(dir);
    const std::string cmykPath = dir.File("cmyk.tif");
    WriteTiff(cmykPath, CmykFile(profile));
    const std::string cmykProfile = dir.File("cmyk.icc");
    ZAVTest::WriteBytes(cmykProfile, profile);
    const std::string wide = dir.File("cmyk16.tif");
    WriteTiff(wide, CmykFile(profile, 16));
    TiffFile rgb;
    rgb.width = 9, rgb.height = 4, rgb.samples = 3, rgb.photometric = PHOTOMETRIC_RGB;
    rgb.rows = PatternBytes(9 * 4 * 3, 5);
    rgb.iccProfile = profile;
    WriteTiff(dir.File("rgb.tif"), rgb);
    const std::string planar = dir.File("planar.tif");
    ASSERT_EQ(ZAVTest::Run("tiffcp -p separate " + dir.File("rgb.tif") + " " + planar).exitCode, 0);

    struct Refusal {
        std::string file, destination, text;
    };
    const Refusal refusals[] = {
        {wide, srgb, "Source image dataformat and ICC Profile do not match!"},
        {dir.File("rgb.tif"), srgb, "Source image dataformat and ICC Profile do not match!"},
        {planar, srgb, "Unsupported ICC Color Profile TIFF Orientation or Planartype!"},
        {cmykPath, cmykProfile, "Invalid destination ICC profile! RGB expected"},
        {cmykPath, dir.File("missing.icc"),
         "Invalid ICC Profile:\n  'embedded TIFF ICC profile\n  " + dir.File("missing.icc") + "'"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.file + " -> " + r.destination);
        CZAVImg image;
        EnableIcc(image, r.destination);
        EXPECT_EQ(ZAVTest::ThrownText([&] { image.LoadFromFile(r.file.c_str(), 5); }), r.text);
    }
    EXPECT_FALSE(TemporaryProfilesLeft());
}

// A strip that cannot be read stops the conversion instead of turning the
// last strip's bytes into pixels.
TEST(TiffIcc, UnreadableStripStopsTheConversion)
{
    ZAVTest::TempDir dir;
    const std::vector<uint8_t> profile = MakeCmykProfile();
    const std::string srgb = SaveSrgbProfile(dir);
    TiffFile file = CmykFile(profile);
    file.compression = COMPRESSION_ADOBE_DEFLATE;
    file.rowsPerStrip = 2;
    const std::string path = dir.File("damaged.tif");
    WriteTiff(path, file);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    uint64_t* offsets = nullptr;
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets));
    const uint64_t third = offsets[2];
    TIFFClose(tiff);
    std::vector<uint8_t> bytes = ZAVTest::ReadBytes(path);
    bytes[third] = bytes[third + 1] = 0xFF;
    ZAVTest::WriteBytes(path, bytes);
    CZAVImg image;
    EnableIcc(image, srgb);
    EXPECT_EQ(ZAVTest::ThrownText([&] { image.LoadFromFile(path.c_str(), 5); }),
              "Error reading TIFF strip for ICC conversion!");
}

// A strip layout of no rows per strip is refused (libtiff already refuses
// the tag, the line reader again), never read forever.
TEST(TiffIcc, RowsPerStripOfZeroIsRefused)
{
    ZAVTest::TempDir dir;
    const std::string srgb = SaveSrgbProfile(dir);
    const std::vector<uint8_t> bytes = BuildTiff({{256, kShort, 2},
                                                  {257, kShort, 2},
                                                  {258, kShort, 8},
                                                  {262, kShort, 2},
                                                  {273, kLong, kStripData},
                                                  {277, kShort, 3},
                                                  {278, kLong, 0},
                                                  {279, kLong, 12}},
                                                 PatternBytes(12, 1));
    CZAVImg image;
    EnableIcc(image, srgb, srgb);
    const std::string text = ZAVTest::ThrownText([&] { image.LoadFromMemory(bytes.data(), int64_t(bytes.size()), 5); });
    EXPECT_NE(text.find("RowsPerStrip"), std::string::npos) << text;
    EXPECT_FALSE(image.HasImage());
}

}  // namespace
