// JBIG2 data as the host hands it to the JBIG2 plug-in: facts and load.
#include <cstddef>
#include <cstdint>

#include "fuzz/Jbig2PluginFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadJbig2Picture(GetFileInfoFromMem, LoadPictureFromMem, data, size);
    return 0;
}
