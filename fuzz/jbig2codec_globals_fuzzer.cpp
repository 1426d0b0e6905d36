// JBIG2 globals and a page stream, as picture extraction hands them to the codec.
#include <cstddef>
#include <cstdint>

#include "fuzz/JB2FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::DecodeGlobalsAndPage(data, size);
    return 0;
}
