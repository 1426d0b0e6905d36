// What the small raster formats' fuzz target does with one input, shared
// with the test that replays the kept inputs: the first byte chooses the
// decoder (PCX, DCX, TGA, WBMP, ICO, CUR, PICT, PBM, PGM, PPM), the rest
// is the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"

namespace ZAVFuzz {

constexpr int kRasterFormats[] = {ZAV::zavifPCX, ZAV::zavifDCX,  ZAV::zavifTGA, ZAV::zavifWBMP, ZAV::zavifICO,
                                  ZAV::zavifCUR, ZAV::zavifPICT, ZAV::zavifPBM, ZAV::zavifPGM,  ZAV::zavifPPM};

inline void LoadRasterPicture(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    const size_t count = sizeof(kRasterFormats) / sizeof(kRasterFormats[0]);
    LoadPicture(data + 1, size - 1, kRasterFormats[data[0] % count]);
}

}  // namespace ZAVFuzz
