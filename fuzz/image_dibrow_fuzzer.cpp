// DIB rows of any bit count with any bit-field masks.
#include <cstddef>
#include <cstdint>

#include "fuzz/ImageFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ConvertDibRow(data, size);
    return 0;
}
