// Enhanced metafiles from arbitrary bytes: the header, record sizes, the
// state records and the DIBs inside the bitmap records, played.
#include <cstddef>
#include <cstdint>

#include "fuzz/MetafileFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::PlayEnhancedMetafile(data, size);
    return 0;
}
