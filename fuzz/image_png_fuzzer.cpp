// PNG files from arbitrary bytes through the image object's PNG decoder.
#include <cstddef>
#include <cstdint>

#include "fuzz/PngJpegFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadPicture(data, size, ZAVFuzz::kPngFormat);
    return 0;
}
