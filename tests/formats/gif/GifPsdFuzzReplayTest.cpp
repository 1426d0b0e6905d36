// Every input kept for the GIF and PSD fuzz targets runs again here under
// the sanitizers.
#include "formats/registry/ImgFormat.h"
#include "fuzz/GifPsdFuzzEntries.h"
#include "support/FuzzReplay.h"

namespace {

TEST(GifPsdFuzzReplay, GifInputs)
{
    ZAVTest::ReplayKeptFuzzInputs(
        "image_gif_fuzzer", [](const uint8_t* data, size_t size) { ZAVFuzz::LoadFrames(data, size, ZAV::zavifGIF); });
}

TEST(GifPsdFuzzReplay, PsdInputs)
{
    ZAVTest::ReplayKeptFuzzInputs(
        "image_psd_fuzzer", [](const uint8_t* data, size_t size) { ZAVFuzz::LoadFrames(data, size, ZAV::zavifPSD); });
}

}  // namespace
