#include "formats/codec/BuiltInCodecs.h"

#include "formats/registry/ImgFormat.h"
#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/encode/TIFFEncoder.h"

namespace ZAV {

// Each codec adds its case to both switches when it arrives.
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId)
{
    switch (formatId) {
    case zavifTIF:
    case zavifFAX:
        return std::make_unique<CTIFFDecoder>();
    default:
        return nullptr;
    }
}

std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId)
{
    switch (formatId) {
    case zavifTIF:
    case zavifFAX:
        return std::make_unique<CTIFFEncoder>();
    default:
        return nullptr;
    }
}

}  // namespace ZAV
