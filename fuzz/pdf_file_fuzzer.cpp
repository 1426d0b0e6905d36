// Whole files: structure, page tree, form and every object on demand.
#include <cstddef>
#include <cstdint>

#include "fuzz/PDFFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ParsePDFFile(data, size);
    return 0;
}
