// Direct and indirect objects from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/PDFFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ParsePDFObjects(data, size);
    return 0;
}
