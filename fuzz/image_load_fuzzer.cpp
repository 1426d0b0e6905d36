// Pictures of any format from arbitrary bytes: detection by content asks
// every registered decoder in turn, and the one that accepts decodes.
#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadPicture(data, size, ZAV::zavifUnknown);
    return 0;
}
