// JBIG2 data of any organisation: every page decoded, every export written.
#include <cstddef>
#include <cstdint>

#include "fuzz/JB2FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::DecodeJBIG2(data, size);
    return 0;
}
