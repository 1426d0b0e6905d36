// The tags of the current TIFF directory every route and the file
// information read.
#pragma once

#include <cstdint>
#include <tiffio.h>

namespace ZAV {

struct TiffFacts {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 1;
    uint16_t samples = 1;
    // 0 when the tag is absent.
    uint16_t compression = 0;
    // RGB when the tag is absent (hasPhotometric false).
    uint16_t photometric = PHOTOMETRIC_RGB;
    bool hasPhotometric = false;
    uint16_t planar = PLANARCONFIG_CONTIG;
    uint16_t unit = RESUNIT_INCH;
    float xResolution = 0;
    float yResolution = 0;
};

TiffFacts ReadTiffFacts(TIFF* tiff);

}  // namespace ZAV
