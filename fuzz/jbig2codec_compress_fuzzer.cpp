// Small pages coded losslessly through symbols must come back unchanged.
#include <cstddef>
#include <cstdint>

#include "fuzz/JB2CompressFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::CompressAndCheck(data, size);
    return 0;
}
