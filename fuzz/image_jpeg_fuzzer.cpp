// JPEG files from arbitrary bytes through the image object's JPEG decoder.
#include <cstddef>
#include <cstdint>

#include "fuzz/PngJpegFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadPicture(data, size, ZAVFuzz::kJpegFormat);
    return 0;
}
