// Every input kept for the image fuzz targets runs again here under the
// sanitizers.
#include "fuzz/ImageFuzzEntries.h"
#include "support/FuzzReplay.h"

TEST(ImageFuzzReplay, DibInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_dib_fuzzer", ZAVFuzz::DecodeDib);
}

TEST(ImageFuzzReplay, DibRowInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_dibrow_fuzzer", ZAVFuzz::ConvertDibRow);
}

TEST(ImageFuzzReplay, OlePictureInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_olepicture_fuzzer", ZAVFuzz::LoadThroughOle);
}
