#include "formats/pdf/PDFEncoder.h"

#include <cstdio>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

CPDFEncoder::CPDFEncoder(CZAVImg* image) : m_source(image)
{
}

CPDFEncoder::~CPDFEncoder() = default;

CZAVImg* CPDFEncoder::GetSourceImage() const
{
    CZAVImg* image = m_source ? m_source : GetImage();
    if (!image)
        ThrowTextException("CZAVImg not assigned to encoder!");
    return image;
}

int CPDFEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* image = GetImage();
    WriteDocument(&image, 1, target);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(PdfTarget(target).GetLength());
    return 1;
}

int CPDFEncoder::DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int, uint32_t* bytesWritten)
{
    WriteDocument(images, count, target);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(PdfTarget(target).GetLength());
    return 1;
}

std::string CPDFEncoder::GetPdfVersion(CZAVImg** images, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        CZAVImg& image = *images[i];
        const int coding = image.m_pdfImageCoding;
        const int jbig2 = image.GetImportExportDlls().GetJbig2DllId();
        const int jpeg2000 = image.GetImportExportDlls().GetJpeg2000DllId();
        if ((jbig2 != kNoPlugin && coding == jbig2) || (jpeg2000 != kNoPlugin && coding == jpeg2000))
            return "1.4";
    }
    return "1.2";
}

namespace {

bool IsOneOf(int value, std::initializer_list<int> allowed)
{
    for (int candidate : allowed)
        if (candidate == value)
            return true;
    return false;
}

void CheckTiffCoding(const CZAVImg& image)
{
    const int compression = image.m_tiffCompression;
    const int depth = image.GetBitsPerPixel();
    if (depth == 1) {
        if (compression == kTiffCcittG3 && (image.m_tiffOptionB & kT4TwoDimensional))
            ThrowTextException("Invalid CCITTFAX3 option! 2D not supported.");
        if (!IsOneOf(compression, {kTiffCcittG3, kTiffCcittG4, kTiffLzw, kTiffDeflate, kTiffAdobeDeflate}))
            ThrowTextException("Invalid PDF/TIFF compression mode for 1bit Black&White image!");
    } else if (!IsOneOf(compression, {kTiffNone, kTiffLzw, kTiffDeflate, kTiffPackBits, kTiffAdobeDeflate}))
        ThrowTextException("Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!");
}

}  // namespace

void CPDFEncoder::CheckCompression()
{
    CZAVImg& image = *GetSourceImage();
    const int coding = image.m_pdfImageCoding;
    const int depth = image.GetBitsPerPixel();
    // Only these depths have a colour space the writer can name.
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Requires 1, 8 or 24bpp image for PDF export!");
    const int jbig2 = image.GetImportExportDlls().GetJbig2DllId();
    const int jpeg2000 = image.GetImportExportDlls().GetJpeg2000DllId();
    if (coding == kPdfCodingTiff)
        CheckTiffCoding(image);
    else if (coding == kPdfCodingJpeg) {
        if (depth != 24 && !(depth == 8 && image.GetPalette().IsGrayScale()))
            ThrowTextException("Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!");
    } else if (jbig2 != kNoPlugin && coding == jbig2) {
        if (depth != 1)
            ThrowTextException("Invalid PDF/JBIG2 compression mode for 1bit Black&White image!");
    } else if (jpeg2000 == kNoPlugin || coding != jpeg2000) {
        char text[256];
        std::snprintf(text, sizeof(text),
                      "Unsupported PDF subformat value %d. Ensure that you attached the filter dlls. Use zavifTIF or "
                      "the Jpeg2000 or JBIG2 filter dll Id's.",
                      coding);
        ThrowTextException(text);
    }
}

}  // namespace ZAV
