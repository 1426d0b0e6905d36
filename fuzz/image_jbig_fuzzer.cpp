// JBIG files from arbitrary bytes: the header checks before JBIG-KIT and
// JBIG-KIT's decoding.
#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadPicture(data, size, ZAV::zavifJBIG);
    return 0;
}
