// Image-format ids: the built-in formats, the range a flag-16 plug-in
// serves, and 101 upward for bound plug-ins in load order.
#pragma once

#include <cstdint>

namespace ZAV {

enum zavImgFormat : int32_t {
    zavifUnknown = 0,
    zavifBMP = 1,
    zavifDIB = 2,
    zavifPCX = 3,
    zavifJPEG = 4,
    zavifTIF = 5,
    zavifPNG = 6,
    zavifTGA = 7,
    zavifICO = 8,
    zavifCUR = 9,
    zavifPSD = 10,
    zavifPDF = 11,
    zavifPBM = 12,
    zavifPGM = 13,
    zavifPPM = 14,
    zavifGIF = 15,
    zavifWBMP = 16,
    zavifDCX = 17,
    zavifFAX = 18,
    zavifPICT = 92,
    zavifWMF = 93,
    zavifJBIG = 94,
    zavifDetect = 255,
    zavifFirstPlugin = 101
};

// How a provider loads or saves its format.
enum zavProviderMode : int32_t { zavpmNone = 0, zavpmBuiltIn = 2, zavpmMagickPlugin = 3, zavpmPlugin = 4 };

inline bool IsPluginMode(int32_t mode)
{
    return mode == zavpmMagickPlugin || mode == zavpmPlugin;
}

}  // namespace ZAV
