#include "formats/pdf/PDFStreamWrap.h"

#include <algorithm>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/png/PNGEncoder.h"
#include "formats/tiff/encode/TIFFEncoder.h"

namespace ZAV {

namespace {

// Bytes a TIFF header, its tags and an 8-bit colour map take at the most.
constexpr size_t kTiffWrapHeadroom = 500000;

std::vector<uint8_t> CollectedBytes(CDataSource& file)
{
    CArraySimple<unsigned char, 1> bytes;
    file.GetBinStream().CopyTo(bytes);
    return std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

}  // namespace

std::vector<uint8_t> WrapAsTiffStrip(CZAVImg& image, const uint8_t* data, int32_t size)
{
    // libtiff seeks back to patch the header, so the file is written into a
    // block with room for the tags and colour map beside the strip.
    std::vector<uint8_t> wrapped(static_cast<size_t>(size) + kTiffWrapHeadroom);
    CDataSource file;
    if (!file.OpenMemoryForWriting(wrapped.data(), wrapped.size()))
        CPicEncoder::ThrowError(1, "Error assigning memory!");
    CTIFFEncoder encoder;
    uint32_t written = 0;
    encoder.SaveRawStrip(&image, &file, data, static_cast<uint32_t>(size), &written);
    wrapped.resize(std::min<size_t>(written, wrapped.size()));
    return wrapped;
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
