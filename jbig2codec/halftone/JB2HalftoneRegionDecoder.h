// Halftone region segments (types 22 and 23): a gray-scale image decoded by
// bit planes (T.88 Annex C.5) and drawn as patterns of the referred pattern
// dictionary on a grid (T.88 6.6).
#pragma once

#include <cstdint>

#include "jbig2codec/halftone/JB2PatternDictionary.h"

namespace ZAV {

struct JB2HalftoneRegionDecoder {
    JB2SegmentHeader* segment;  // link, not owned
    JB2PatternDictionary* patterns;
    uint8_t flags;
    uint32_t width;   // HBW
    uint32_t height;  // HBH
    uint32_t stride;  // (HBW + 7) / 8 + 4
    uint8_t* bitmap;
    uint32_t gridWidth;   // HGW
    uint32_t gridHeight;  // HGH
    int32_t gridX;        // HGX
    int32_t gridY;        // HGY
    uint16_t vectorX;     // HRX
    uint16_t vectorY;     // HRY
    uint32_t grayMax;
    uint32_t bitsPerPixel;  // HBPP
    uint32_t* gray;         // HGW x HGH gray values
    uint8_t done;
};

JB2_Error Halftone_Region_Decoder_Start(JB2HalftoneRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                        JB2Message* message);
// Decodes the gray-scale image and draws the region once; later calls do nothing.
JB2_Error Halftone_Region_Decode(JB2HalftoneRegionDecoder* decoder, JB2Memory* memory, JB2Message* message);
const uint8_t* Halftone_Region_Decoder_Line(const JB2HalftoneRegionDecoder* decoder, uint32_t row);
JB2_Error Halftone_Region_Decoder_End(JB2HalftoneRegionDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
