#include "formats/pdf/PDFStreamWrap.h"

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/png/PNGEncoder.h"

namespace ZAV {

namespace {

std::vector<uint8_t> CollectedBytes(CDataSource& file)
{
    CArraySimple<unsigned char, 1> bytes;
    file.GetBinStream().CopyTo(bytes);
    return std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

}  // namespace

std::vector<uint8_t> WrapAsTiffStrip(CZAVImg&, const uint8_t*, int32_t)
{
    ThrowTextException("Error loading image. Invalid ImageFormat!");
}

std::vector<uint8_t> WrapAsPngIdat(CZAVImg& image, const uint8_t* data, int32_t size, int32_t predictor)
{
    CDataSource file;
    file.OpenBinStream();
    CPNGEncoder encoder;
    uint32_t written = 0;
    encoder.WriteRawIdat(&image, &file, data, static_cast<size_t>(size), predictor, &written);
    return CollectedBytes(file);
}

}  // namespace ZAV
