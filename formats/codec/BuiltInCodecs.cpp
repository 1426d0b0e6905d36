#include "formats/codec/BuiltInCodecs.h"

#include "formats/pdf/PDFEncoder.h"
#include "formats/registry/ImgFormat.h"

namespace ZAV {

// Each codec adds its case to both switches when it arrives.
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId)
{
    switch (formatId) {
    default:
        return nullptr;
    }
}

std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId)
{
    switch (formatId) {
    case zavifPDF:
        return std::make_unique<CPDFEncoder>();
    default:
        return nullptr;
    }
}

}  // namespace ZAV
