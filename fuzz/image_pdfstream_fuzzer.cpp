// PDF image-stream data (CCITT, LZW, Deflate, PNG-predicted Flate, JPEG and
// TIFF-coded) decoded into pixels.
#include <cstddef>
#include <cstdint>

#include "fuzz/PdfStreamFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZAVFuzz::DecodePdfStream(data, size);
    return 0;
}
