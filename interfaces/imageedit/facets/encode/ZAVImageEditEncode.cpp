// The Encode facet. Each encode operation runs one stream routine of a
// temporary PDF encoder over the owner's image into an output-only data
// source; each decode operation runs one decoding routine with the image as
// its work image. The temporaries go on every path, failures included.
#include "interfaces/imageedit/facets/encode/ZAVImageEditEncode.h"

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "formats/runlength/RunLengthDecoder.h"

#include "formats/pdf/PDFEncoder.h"

#include <utility>

namespace ZAV {

namespace {

const char kNoJpeg2000Text[] = "There is no Jpeg2000 filter dll assigned!";
const char kNoJbig2Text[] = "There is no Jbig2 filter dll assigned!";

int RequirePlugin(int id, const char* missingText)
{
    if (id < 0)
        ThrowTextException(missingText);
    return id;
}

// The bytes a step writes through a temporary encoder over the image.
template <class Step>
CZAVPtr<IZAVArrayByteSp> Encoded(CZAVImg& image, Step step)
{
    CDataSource target;
    if (!target.OpenBinStream())
        ThrowTextException(target.GetErrorText());
    CPDFEncoder encoder(&image);
    step(encoder, &target);
    CArraySimple<unsigned char, 1> bytes;
    target.GetBinStream().CopyTo(bytes);
    // The chunks go before the object is made, which takes the bytes over:
    // a coded picture is held once when the encoder hands it on.
    target.GetBinStream().Reset();
    return CreateArrayByteSp(std::move(bytes));
}

// The pixel bytes a decoding step leaves, with the image as its work image.
template <class Step>
CZAVPtr<IZAVArrayByteSp> Decoded(CZAVImg& image, Step step)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&image);
    step(encoder, pixels);
    return CreateArrayByteSp(std::move(pixels));
}

using ByteArray = CArraySimple<unsigned char, 1>;

}  // namespace

CZAVImg& CZAVImageEditEncode::Image()
{
    return m_owner->GetImage();
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeRunLength()
{
    return Encoded(Image(), [](CPDFEncoder& e, IDataSource* t) { e.WriteRunLengthStream(t); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeDct()
{
    return Encoded(Image(), [](CPDFEncoder& e, IDataSource* t) { e.EncodeJpegToStream(t); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJpx()
{
    return EncodeToFormat(RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text));
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJbig2()
{
    return EncodeToFormat(RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text));
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeToFormat(int32_t format)
{
    return Encoded(Image(), [format](CPDFEncoder& e, IDataSource* t) { e.EncodeToStream(t, format); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeCcitt()
{
    return Encoded(Image(), [](CPDFEncoder& e, IDataSource* t) { e.WriteTiffStrips(t); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeLzw()
{
    return Encoded(Image(), [](CPDFEncoder& e, IDataSource* t) { e.WriteTiffStripsInverted(t); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlate()
{
    // One body serves both: the caller's TIFF compression (32946) makes it
    // Deflate.
    return EncodeLzw();
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlatePng()
{
    return Encoded(Image(), [](CPDFEncoder& e, IDataSource* t) { e.WritePngIdatStream(t); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeDct(int, int, zavBitsPerPixel, const ByteArray& data)
{
    return Decoded(Image(), [&](CPDFEncoder& e, ByteArray& out) { e.DecodeJpegFromMemory(data, out); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJpx(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                        const ByteArray& data)
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text);
    return DecodeFromFormat(width, height, bitsPerPixel, id, data);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJbig2(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                          const ByteArray& data)
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text);
    return DecodeFromFormat(width, height, bitsPerPixel, id, data);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFromFormat(int, int, zavBitsPerPixel, int32_t format,
                                                               const ByteArray& data)
{
    return Decoded(Image(), [&](CPDFEncoder& e, ByteArray& out) { e.DecodeFromMemory(format, data, out); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeCcitt(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                          int32_t k, const ByteArray& data)
{
    return Decoded(Image(), [&](CPDFEncoder& e, ByteArray& out) {
        e.DecodeCcittToMemory(width, height, bitsPerPixel, k, data, out);
    });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeLzw(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                        const ByteArray& data)
{
    return Decoded(
        Image(), [&](CPDFEncoder& e, ByteArray& out) { e.DecodeLzwToMemory(width, height, bitsPerPixel, data, out); });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlateTiffPredictor(int width, int height,
                                                                       zavBitsPerPixel bitsPerPixel,
                                                                       const ByteArray& data)
{
    return Decoded(Image(), [&](CPDFEncoder& e, ByteArray& out) {
        e.DecodeDeflateToMemory(width, height, bitsPerPixel, data, out);
    });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlatePngPredictor(int width, int height,
                                                                      zavBitsPerPixel bitsPerPixel, int32_t predictor,
                                                                      const ByteArray& data)
{
    return Decoded(Image(), [&](CPDFEncoder& e, ByteArray& out) {
        e.DecodeFlatePngToMemory(width, height, bitsPerPixel, predictor, data, out);
    });
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeRunLength(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                              const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    DecodeRunLengthRows(data.GetData(), static_cast<size_t>(data.GetSize()), width, height, bitsPerPixel, pixels);
    return CreateArrayByteSp(std::move(pixels));
}

}  // namespace ZAV
