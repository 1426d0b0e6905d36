#include "formats/codec/BuiltInCodecs.h"

#include "formats/jpeg/JPEGEncoder.h"
#include "formats/jpeg/JPGDecoder.h"
#include "formats/png/PNGDecoder.h"
#include "formats/png/PNGEncoder.h"
#include "formats/registry/ImgFormat.h"

namespace ZAV {

// Each codec adds its case to both switches when it arrives.
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId)
{
    switch (formatId) {
    case zavifPNG:
        return std::make_unique<CPNGDecoder>();
    case zavifJPEG:
        return std::make_unique<CJPGDecoder>();
    default:
        return nullptr;
    }
}

std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId)
{
    switch (formatId) {
    case zavifPNG:
        return std::make_unique<CPNGEncoder>();
    case zavifJPEG:
        return std::make_unique<CJPEGEncoder>();
    default:
        return nullptr;
    }
}

}  // namespace ZAV
