// Photoshop documents from arbitrary bytes: the header, colour mode data,
// layer records with their additional information, raw and PackBits
// channels.
#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/GifPsdFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::LoadFrames(data, size, ZAV::zavifPSD);
    return 0;
}
