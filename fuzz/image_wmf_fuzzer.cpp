// Old-style metafiles from arbitrary bytes: the header, record sizes and
// the DIB records, converted to enhanced metafiles and played.
#include <cstddef>
#include <cstdint>

#include "fuzz/MetafileFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ConvertWindowsMetafile(data, size);
    return 0;
}
