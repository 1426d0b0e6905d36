// TIFF files from arbitrary bytes: directories, every compression libtiff
// decodes, and each decoding route of the TIFF decoder.
#include <cstddef>
#include <cstdint>

#include "fuzz/TiffFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::DecodeTiff(data, size);
    return 0;
}
