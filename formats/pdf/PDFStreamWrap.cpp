#include "formats/pdf/PDFStreamWrap.h"

#include "foundation/text/TextException.h"

namespace ZAV {

std::vector<uint8_t> WrapAsTiffStrip(CZAVImg&, const uint8_t*, int32_t)
{
    ThrowTextException("Error loading image. Invalid ImageFormat!");
}

std::vector<uint8_t> WrapAsPngIdat(CZAVImg&, const uint8_t*, int32_t, int32_t)
{
    ThrowTextException("Error loading image. Invalid ImageFormat!");
}

}  // namespace ZAV
