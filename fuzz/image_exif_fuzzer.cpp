// EXIF blocks from arbitrary bytes through the reader over memory, with
// Casio maker notes and the thumbnail image.
#include <cstddef>
#include <cstdint>

#include "fuzz/ExifFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ReadExifBlock(data, size);
    return 0;
}
