// Picture files loaded through OLE pictures into the image object: the
// .bmp reader of the picture loader and the bitmap read back as an image.
#include <cstddef>
#include <cstdint>

#include "fuzz/ImageFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadThroughOle(data, size);
    return 0;
}
