// JP2 boxes and the codestream's main header: structure, metadata and comments, no decoding.
#include <cstddef>
#include <cstdint>

#include "fuzz/JP2FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ReadJP2(data, size, false);
    return 0;
}
