// The Encode facet. Each encode operation runs one stream routine of a
// temporary PDF encoder over the owner's image into an output-only data
// source; each decode operation runs one decoding routine with the image as
// its work image. The temporaries go on every path, failures included.
#include "interfaces/imageedit/facets/encode/ZAVImageEditEncode.h"

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "formats/runlength/RunLengthDecoder.h"

#if __has_include("formats/pdf/PDFEncoder.h")
#include "formats/pdf/PDFEncoder.h"
#define ZAV_HAS_PDF_ENCODER 1
#endif

namespace ZAV {

namespace {

constexpr int kFormatJpeg = 4;

const char kNoJpeg2000Text[] = "There is no Jpeg2000 filter dll assigned!";
const char kNoJbig2Text[] = "There is no Jbig2 filter dll assigned!";

int RequirePlugin(int id, const char* missingText)
{
    if (id < 0)
        ThrowTextException(missingText);
    return id;
}

#ifdef ZAV_HAS_PDF_ENCODER
using Routine = void (CPDFEncoder::*)(IDataSource*);

// The bytes one routine writes for the image.
CZAVPtr<IZAVArrayByteSp> EncodeWith(CZAVImg& image, Routine routine)
{
    CDataSource target;
    if (!target.OpenBinStream())
        ThrowTextException(target.GetErrorText());
    CPDFEncoder encoder(&image);
    (encoder.*routine)(&target);
    CArraySimple<unsigned char, 1> bytes;
    target.GetBinStream().CopyTo(bytes);
    return CreateArrayByteSp(bytes);
}

CZAVPtr<IZAVArrayByteSp> EncodeFormat(CZAVImg& image, int format)
{
    CDataSource target;
    if (!target.OpenBinStream())
        ThrowTextException(target.GetErrorText());
    CPDFEncoder encoder(&image);
    encoder.EncodeToStream(&target, format);
    CArraySimple<unsigned char, 1> bytes;
    target.GetBinStream().CopyTo(bytes);
    return CreateArrayByteSp(bytes);
}
#else
[[noreturn]] void NoEncoder()
{
    ThrowTextException("The PDF stream coder is not available!");
}
#endif

}  // namespace

CZAVImg& CZAVImageEditEncode::Image()
{
    return m_owner->GetImage();
}

#ifdef ZAV_HAS_PDF_ENCODER

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeRunLength()
{
    return EncodeWith(Image(), &CPDFEncoder::WriteRunLengthStream);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeDct()
{
    return EncodeWith(Image(), &CPDFEncoder::EncodeJpegToStream);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJpx()
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text);
    return EncodeFormat(Image(), id);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJbig2()
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text);
    return EncodeFormat(Image(), id);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeToFormat(int32_t format)
{
    return EncodeFormat(Image(), format);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeCcitt()
{
    return EncodeWith(Image(), &CPDFEncoder::WriteTiffStrips);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeLzw()
{
    return EncodeWith(Image(), &CPDFEncoder::WriteTiffStripsInverted);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlate()
{
    return EncodeLzw();
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlatePng()
{
    return EncodeWith(Image(), &CPDFEncoder::WritePngIdatStream);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeDct(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>& data)
{
    return DecodeFromFormat(width, height, bitsPerPixel, kFormatJpeg, data);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJpx(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>& data)
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text);
    return DecodeFromFormat(width, height, bitsPerPixel, id, data);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJbig2(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                          const CArraySimple<unsigned char, 1>& data)
{
    const int id = RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text);
    return DecodeFromFormat(width, height, bitsPerPixel, id, data);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFromFormat(int, int, zavBitsPerPixel, int32_t format,
                                                               const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&Image());
    encoder.DecodeFromMemory(format, data, pixels);
    return CreateArrayByteSp(pixels);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeCcitt(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                          int32_t k, const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&Image());
    encoder.DecodeCcittToMemory(width, height, bitsPerPixel, k, data, pixels);
    return CreateArrayByteSp(pixels);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeLzw(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&Image());
    encoder.DecodeLzwToMemory(width, height, bitsPerPixel, data, pixels);
    return CreateArrayByteSp(pixels);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlateTiffPredictor(int width, int height,
                                                                       zavBitsPerPixel bitsPerPixel,
                                                                       const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&Image());
    encoder.DecodeDeflateToMemory(width, height, bitsPerPixel, data, pixels);
    return CreateArrayByteSp(pixels);
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlatePngPredictor(int width, int height,
                                                                      zavBitsPerPixel bitsPerPixel, int32_t predictor,
                                                                      const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    CPDFEncoder encoder(&Image());
    encoder.DecodeFlatePngToMemory(width, height, bitsPerPixel, predictor, data, pixels);
    return CreateArrayByteSp(pixels);
}

#else

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeRunLength()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeDct()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJpx()
{
    RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text);
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeJbig2()
{
    RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text);
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeToFormat(int32_t)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeCcitt()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeLzw()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlate()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::EncodeFlatePng()
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeDct(int, int, zavBitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJpx(int, int, zavBitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>&)
{
    RequirePlugin(m_owner->GetFileFormatSettings()->GetJpeg2000DllId(), kNoJpeg2000Text);
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeJbig2(int, int, zavBitsPerPixel,
                                                          const CArraySimple<unsigned char, 1>&)
{
    RequirePlugin(m_owner->GetFileFormatSettings()->GetJbig2DllId(), kNoJbig2Text);
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFromFormat(int, int, zavBitsPerPixel, int32_t,
                                                               const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeCcitt(int, int, zavBitsPerPixel, int32_t,
                                                          const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeLzw(int, int, zavBitsPerPixel,
                                                        const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlateTiffPredictor(int, int, zavBitsPerPixel,
                                                                       const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}
CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeFlatePngPredictor(int, int, zavBitsPerPixel, int32_t,
                                                                      const CArraySimple<unsigned char, 1>&)
{
    NoEncoder();
}

#endif

CZAVPtr<IZAVArrayByteSp> CZAVImageEditEncode::DecodeRunLength(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                              const CArraySimple<unsigned char, 1>& data)
{
    CArraySimple<unsigned char, 1> pixels;
    DecodeRunLengthRows(data.GetData(), static_cast<size_t>(data.GetSize()), width, height, bitsPerPixel, pixels);
    return CreateArrayByteSp(pixels);
}

}  // namespace ZAV
