// The whole decode path of small pictures: boxes, OpenJPEG and sample delivery.
#include <cstddef>
#include <cstdint>

#include "fuzz/JP2FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ReadJP2(data, size, true);
    return 0;
}
