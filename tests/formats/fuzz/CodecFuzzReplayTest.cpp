// Every input kept for the codec fuzz targets runs again here under the
// sanitizers.
#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"
#include "fuzz/MetafileFuzzEntries.h"
#include "fuzz/PngJpegFuzzEntries.h"
#include "fuzz/RasterFuzzEntries.h"
#include "support/FuzzReplay.h"

namespace {

void ReplayLoads(const std::string& target, int format)
{
    ZAVTest::ReplayKeptFuzzInputs(
        target, [format](const uint8_t* data, size_t size) { ZAVFuzz::LoadPicture(data, size, format); });
}

TEST(CodecFuzzReplay, BmpInputs)
{
    ReplayLoads("image_bmp_fuzzer", ZAV::zavifBMP);
}

TEST(CodecFuzzReplay, LoadInputs)
{
    ReplayLoads("image_load_fuzzer", ZAV::zavifUnknown);
}

TEST(CodecFuzzReplay, JbigInputs)
{
    ReplayLoads("image_jbig_fuzzer", ZAV::zavifJBIG);
}

TEST(CodecFuzzReplay, PngInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_png_fuzzer", [](const uint8_t* data, size_t size) {
        ZAVFuzz::LoadPictureWithinBudget(data, size, ZAVFuzz::kPngFormat);
    });
}

TEST(CodecFuzzReplay, JpegInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_jpeg_fuzzer", [](const uint8_t* data, size_t size) {
        ZAVFuzz::LoadPictureWithinBudget(data, size, ZAVFuzz::kJpegFormat);
    });
}

TEST(CodecFuzzReplay, RasterInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_raster_fuzzer", ZAVFuzz::LoadRasterPicture);
}

}  // namespace

TEST(CodecFuzzReplay, EnhancedMetafileInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_emf_fuzzer", ZAVFuzz::PlayEnhancedMetafile);
}

TEST(CodecFuzzReplay, WindowsMetafileInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_wmf_fuzzer", ZAVFuzz::ConvertWindowsMetafile);
}
