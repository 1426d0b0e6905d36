// What tells the three portable map formats (netpbm's ppm(5), pgm(5) and
// pbm(5)) apart: magics, header numbers, image depth and texts.
#pragma once

namespace ZAV {

struct PnmFormat {
    const char* textMagic;
    const char* binaryMagic;
    int channels;      // samples a pixel: 3, 1, or 1 bit for PBM
    int imageDepth;    // 24, 8 or 1
    bool hasMaxValue;  // PBM has none
    const char* typeText;
    const char* headerError;
    const char* dataError;
    const char* depthError;  // the encoder's refusal of other depths
};

extern const PnmFormat kPpmFormat;
extern const PnmFormat kPgmFormat;
extern const PnmFormat kPbmFormat;

}  // namespace ZAV
