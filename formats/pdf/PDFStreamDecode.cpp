// The decoding routines: the bytes of one PDF image filter back into the
// pixel bytes of the source image.
#include <cstring>
#include <vector>

#include "foundation/coding/ZlibCoding.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PDFStreamWrap.h"
#include "formats/pdf/PDFTiffPredictor.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// The output becomes a copy of the image's pixel bytes; an image without
// pixels leaves it as it was.
void CopyPixelsOut(const CZAVImg& image, CPDFEncoder::ByteArray& output)
{
    if (!image.HasImage())
        return;
    const int64_t size = static_cast<int64_t>(image.GetBytesPerLine()) * image.GetHeight();
    output.SetData(image.GetDataBlock()->GetData<unsigned char>(), static_cast<int32_t>(size));
}

// Clears the image however the decoding ends, so it never keeps a half
// decoded work picture.
class CClearAtEnd {
public:
    explicit CClearAtEnd(CZAVImg& image) : m_image(image) {}
    ~CClearAtEnd() { m_image.Clear(); }
    CClearAtEnd(const CClearAtEnd&) = delete;
    CClearAtEnd& operator=(const CClearAtEnd&) = delete;

private:
    CZAVImg& m_image;
};

// Creates the work picture of the given layout, refusing a pixel size above
// the image ceiling before anything is allocated.
void CreateWorkPicture(CZAVImg& image, int width, int height, int bitsPerPixel)
{
    const int64_t size = CZAVImgBase::CalcImageSize(width, height, bitsPerPixel);
    if (width <= 0 || height <= 0 || size <= 0 || !IsWithinImageCeiling(size))
        ThrowTextException("Invalid Size!");
    if (!image.Create(width, height, bitsPerPixel))
        ThrowTextException(image.GetErrorText().GetText());
    if (bitsPerPixel == 1)
        image.GetPalette().CreateBlackWhite();
}

}  // namespace

void CPDFEncoder::DecodeFromMemory(int format, const ByteArray& input, ByteArray& output)
{
    CZAVImg& image = *GetSourceImage();
    image.LoadFromMemory(input.GetData(), input.GetSize(), format);
    CopyPixelsOut(image, output);
}

void CPDFEncoder::DecodeJpegFromMemory(const ByteArray& input, ByteArray& output)
{
    DecodeFromMemory(kFormatJpeg, input, output);
}

void CPDFEncoder::DecodeTiffCodedToMemory(int width, int height, int bitsPerPixel, int compression,
                                          const ByteArray& input, ByteArray& output)
{
    if (input.GetSize() <= 0)
        return;
    CZAVImg& image = *GetSourceImage();
    CreateWorkPicture(image, width, height, bitsPerPixel);
    CClearAtEnd clear(image);
    image.m_tiffCompression = compression;
    image.m_ccittOptionB = kFaxModeNoRtc;
    const std::vector<uint8_t> file = WrapAsTiffStrip(image, input.GetData(), input.GetSize());
    image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), kFormatTiff);
    CopyPixelsOut(image, output);
}

void CPDFEncoder::DecodeCcittToMemory(int width, int height, int bitsPerPixel, int32_t k, const ByteArray& input,
                                      ByteArray& output)
{
    CZAVImg& image = *GetSourceImage();
    image.m_tiffOptionB = k > 0 ? kT4TwoDimensional : 0;
    image.m_ccittOptionA = 0;
    DecodeTiffCodedToMemory(width, height, bitsPerPixel, k < 0 ? kTiffCcittG4 : kTiffCcittG3, input, output);
}

void CPDFEncoder::DecodeLzwToMemory(int width, int height, int bitsPerPixel, const ByteArray& input, ByteArray& output)
{
    DecodeTiffCodedToMemory(width, height, bitsPerPixel, kTiffLzw, input, output);
}

void CPDFEncoder::DecodeDeflateToMemory(int width, int height, int bitsPerPixel, const ByteArray& input,
                                        ByteArray& output)
{
    if (input.GetSize() <= 0)
        return;
    CZAVImg& image = *GetSourceImage();
    CreateWorkPicture(image, width, height, bitsPerPixel);
    CClearAtEnd clear(image);
    image.m_tiffCompression = kTiffDeflate;
    image.m_ccittOptionB = kFaxModeNoRtc;
    const uint64_t expected = static_cast<uint64_t>(image.GetBytesPerLine()) * static_cast<uint64_t>(height);
    const std::vector<uint8_t> rows = ZlibDecompress(input.GetData(), static_cast<size_t>(input.GetSize()), expected);
    uint8_t* pixels = image.GetDataBlock()->GetData<uint8_t>();
    // Short data leaves the rest of the picture zero, as a TIFF reader
    // leaves a short strip.
    std::memcpy(pixels, rows.data(), rows.size() < expected ? rows.size() : static_cast<size_t>(expected));
    if (UsesHorizontalPredictor(image))
        UndoHorizontalPredictor(pixels, width, height, image.GetBytesPerPixel());
    CopyPixelsOut(image, output);
}

void CPDFEncoder::DecodeFlatePngToMemory(int width, int height, int bitsPerPixel, int32_t predictor,
                                         const ByteArray& input, ByteArray& output)
{
    if (input.GetSize() <= 0)
        return;
    CZAVImg& image = *GetSourceImage();
    CreateWorkPicture(image, width, height, bitsPerPixel);
    CClearAtEnd clear(image);
    const std::vector<uint8_t> file = WrapAsPngIdat(image, input.GetData(), input.GetSize(), predictor);
    image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), kFormatPng);
    CopyPixelsOut(image, output);
}

}  // namespace ZAV
