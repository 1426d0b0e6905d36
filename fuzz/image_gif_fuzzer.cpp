// GIF files from arbitrary bytes: the frame scan, extensions, colour tables
// and the LZW code reader.
#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/GifPsdFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadFrames(data, size, ZAV::zavifGIF);
    return 0;
}
