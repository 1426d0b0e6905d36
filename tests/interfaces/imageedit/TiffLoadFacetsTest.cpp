// The HDR and ICC facets steer how the image loads TIFF files: 16-bit
// samples kept or reduced, RGB converted through ICC profiles of Little
// CMS. The files are written here through libtiff.
#include <gtest/gtest.h>
#include <lcms2.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "ImageEditTestPixels.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;

constexpr uint32_t kWidth = 7;
constexpr uint32_t kHeight = 3;

// One strip of rows, samples in the machine's (little-endian) order.
void WriteTiff(const std::string& path, uint16_t bits, uint16_t samples, const std::vector<uint8_t>& rows)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kHeight);
    ASSERT_EQ(TIFFWriteEncodedStrip(tiff, 0, const_cast<uint8_t*>(rows.data()), tmsize_t(rows.size())),
              tmsize_t(rows.size()));
    TIFFClose(tiff);
}

std::vector<uint8_t> Pattern(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return bytes;
}

TEST(HdrFacet, SwitchDecidesWhetherSixteenBitSamplesSurviveTheLoad)
{
    ZAVTest::TempDir dir;
    const struct {
        const char* name;
        uint16_t samples;
        int32_t hdr;
        zavBitsPerPixel depth;
    } cases[] = {
        {"gray kept", 1, 1, zavbpp16},
        {"gray reduced", 1, 0, zavbpp8},
        {"rgb kept", 3, 1, zavbpp48},
        {"rgb reduced", 3, 0, zavbpp24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> rows = Pattern(size_t(kWidth) * kHeight * c.samples * 2);
        const std::string path = dir.File("wide.tif");
        WriteTiff(path, 16, c.samples, rows);
        CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
        EXPECT_EQ(edit->GetHDR()->GetHdrEnabled(), 1);
        edit->GetHDR()->SetHdrEnabled(c.hdr);
        EXPECT_EQ(edit->GetHDR()->GetHdrEnabled(), c.hdr);
        edit->LoadFromFile(path, 5);
        ASSERT_EQ(edit->GetBitsPerPixel(), c.depth);
        const std::vector<unsigned char> pixels = ZAVTest::PixelsOf(*edit.Get());
        if (c.hdr) {
            EXPECT_EQ(pixels, rows);
            continue;
        }
        // Each 8-bit sample is the high byte of the 16-bit one, give or take
        // the reader's rounding.
        ASSERT_EQ(pixels.size(), rows.size() / 2);
        for (size_t i = 0; i < pixels.size(); ++i)
            ASSERT_NEAR(pixels[i], rows[2 * i + 1], 1) << i;
    }
}

TEST(HdrFacet, ScalingPassesTheImagesRefusalsOn)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(4, 4, zavbpp8);
    IZAVImageEditHDRCpp& hdr = *edit->GetHDR();
    EXPECT_EQ(ZAVTest::ThrownText([&] { hdr.ScaleHdr(16); }), "Requires High Dynamic Range (HDR) imagedata!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { hdr.ScaleHdrToRange(0, 100); }),
              "Requires High Dynamic Range (HDR) imagedata!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { hdr.AutoScaleHdr(); }), "Requires High Dynamic Range (HDR) imagedata!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { hdr.ScaleHdr(17); }),
              "Invalid BitsPerSample value! BitsPerSample ranges from 1 to 16.");
    EXPECT_EQ(edit->GetBitsPerPixel(), zavbpp8);
}

// An RGB profile of sRGB's primaries with linear (gamma 1) curves.
std::string SaveLinearProfile(const ZAVTest::TempDir& dir)
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {linear, linear, linear};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    const std::string path = dir.File("linear.icc");
    cmsSaveProfileToFile(profile, path.c_str());
    cmsCloseProfile(profile);
    cmsFreeToneCurve(linear);
    return path;
}

std::string SaveSrgbProfile(const ZAVTest::TempDir& dir)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    const std::string path = dir.File("srgb.icc");
    cmsSaveProfileToFile(srgb, path.c_str());
    cmsCloseProfile(srgb);
    return path;
}

std::vector<uint8_t> LittleCmsRgb(const std::string& source, const std::string& destination,
                                  const std::vector<uint8_t>& rgb)
{
    cmsHPROFILE in = cmsOpenProfileFromFile(source.c_str(), "r");
    cmsHPROFILE out = cmsOpenProfileFromFile(destination.c_str(), "r");
    cmsHTRANSFORM transform = cmsCreateTransform(in, TYPE_RGB_8, out, TYPE_RGB_8, cmsGetHeaderRenderingIntent(in), 0);
    std::vector<uint8_t> result(rgb.size());
    cmsDoTransform(transform, rgb.data(), result.data(), cmsUInt32Number(rgb.size() / 3));
    cmsDeleteTransform(transform);
    cmsCloseProfile(in);
    cmsCloseProfile(out);
    return result;
}

TEST(IccFacet, SettingsConvertAnRgbTiffWithoutAProfileOfItsOwn)
{
    ZAVTest::TempDir dir;
    const std::string linear = SaveLinearProfile(dir);
    const std::string srgb = SaveSrgbProfile(dir);
    const std::vector<uint8_t> rows = Pattern(size_t(kWidth) * kHeight * 3);
    const std::string path = dir.File("rgb.tif");
    WriteTiff(path, 8, 3, rows);

    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditICCCpp& icc = *edit->GetICC();
    EXPECT_EQ(icc.GetIccConversion(), 0);
    EXPECT_EQ(icc.GetIccDestinationProfile(), "");
    EXPECT_EQ(icc.GetIccSourceProfile(), "");
    icc.SetIccDestinationProfile(srgb);
    icc.SetIccSourceProfile(linear);
    EXPECT_EQ(icc.GetIccDestinationProfile(), srgb);
    EXPECT_EQ(icc.GetIccSourceProfile(), linear);

    // Profiles alone change nothing while the switch is off.
    edit->LoadFromFile(path, 5);
    EXPECT_EQ(ZAVTest::PixelsOf(*edit.Get()), rows);

    icc.SetIccConversion(1);
    EXPECT_EQ(icc.GetIccConversion(), 1);
    edit->LoadFromFile(path, 5);
    ASSERT_EQ(edit->GetBitsPerPixel(), zavbpp24);
    const std::vector<uint8_t> expected = LittleCmsRgb(linear, srgb, rows);
    EXPECT_NE(expected, rows);
    EXPECT_LE(ZAVTest::MeanDifference(ZAVTest::PixelsOf(*edit.Get()), expected), 0.0);

    // A destination profile that can't be opened fails the load.
    icc.SetIccDestinationProfile(linear + ".missing");
    EXPECT_NE(ZAVTest::ThrownText([&] { edit->LoadFromFile(path, 5); }), "(nothing thrown)");
}

}  // namespace
