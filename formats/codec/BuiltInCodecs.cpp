#include "formats/codec/BuiltInCodecs.h"

#include "formats/bmp/BMPDecoder.h"
#include "formats/bmp/BMPEncoder.h"
#include "formats/jbig/JBIGDecoder.h"
#include "formats/jbig/JBIGEncoder.h"
#include "formats/registry/ImgFormat.h"

namespace ZAV {

// Each codec adds its case to both switches when it arrives.
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId)
{
    switch (formatId) {
    case zavifBMP:
        return std::make_unique<CBMPDecoder>();
    case zavifJBIG:
        return std::make_unique<CJBIGDecoder>();
    default:
        return nullptr;
    }
}

std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId)
{
    switch (formatId) {
    case zavifBMP:
        return std::make_unique<CBMPEncoder>();
    case zavifJBIG:
        return std::make_unique<CJBIGEncoder>();
    default:
        return nullptr;
    }
}

}  // namespace ZAV
