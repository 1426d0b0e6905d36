// Packed DIBs from arbitrary bytes: header checks, row conversion and
// run-length decoding.
#include <cstddef>
#include <cstdint>

#include "fuzz/ImageFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::DecodeDib(data, size);
    return 0;
}
