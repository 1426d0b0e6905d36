// PDF files whose pictures are extracted page by page.
#include <cstddef>
#include <cstdint>

#include "fuzz/PictureFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::ExtractEveryPicture(data, size);
    return 0;
}
