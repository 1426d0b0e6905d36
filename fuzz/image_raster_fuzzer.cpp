// PCX, DCX, TGA, WBMP, icon, cursor, PICT and portable-map files from
// arbitrary bytes, the first byte choosing the decoder.
#include <cstddef>
#include <cstdint>

#include "fuzz/RasterFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadRasterPicture(data, size);
    return 0;
}
