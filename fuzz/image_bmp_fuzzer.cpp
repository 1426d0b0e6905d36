// BMP files from arbitrary bytes: headers, colour tables, offsets,
// run-length codes.
#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadPicture(data, size, ZAV::zavifBMP);
    return 0;
}
