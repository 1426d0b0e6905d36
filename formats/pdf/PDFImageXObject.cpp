// The image XObject of a page: its dictionary by the image's PDF coding
// and the coded data between "stream" and "endstream".
#include <cstdio>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PDFPageObjects.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

unsigned long Number(int64_t value)
{
    return static_cast<unsigned long>(value);
}

bool IsDeflate(int compression)
{
    return compression == kTiffDeflate || compression == kTiffAdobeDeflate;
}

int BitsPerComponent(const CZAVImg& image)
{
    return image.GetBitsPerPixel() == 1 ? 1 : 8;
}

}  // namespace

// Ends the dictionary, writes the data and records where it starts and ends.
void CPDFEncoder::WriteImageDictionaryTail(CDataSource& out, const PageObjects& page, int bitsPerComponent)
{
    const CZAVImg& image = *page.image;
    WritePdfText(out, "/ColorSpace %lu 0 R\n/Width %lu\n/Height %lu\n/BitsPerComponent %d\n",
                 Number(page.ColourSpace()), Number(image.GetWidth()), Number(image.GetHeight()), bitsPerComponent);
    WritePdfText(out, "/Length %lu 0 R\n>>\nstream\n", Number(page.Length()));
}

void CPDFEncoder::WriteImageDictionaryHead(CDataSource& out, const PageObjects& page)
{
    WritePdfText(out, "<<\n/Type /XObject\n/Subtype /Image\n/Name /Im%lu\n", Number(page.index));
}

void CPDFEncoder::WriteImageData(CDataSource& out, int format)
{
    m_streamStart = out.GetPosition();
    if (format == kFormatTiff) {
        const int compression = GetSourceImage()->m_tiffCompression;
        if (compression == kTiffCcittG3 || compression == kTiffCcittG4)
            WriteTiffStripsWhiteFirst(&out);
        else if (compression == kTiffLzw || IsDeflate(compression))
            WriteTiffStripsInverted(&out);
        else
            WriteRunLengthStream(&out);
    } else
        EncodeToStream(&out, format);
    m_streamEnd = out.GetPosition();
    WritePdfText(out, "\nendstream\nendobj\n");
}

void CPDFEncoder::WriteTiffCodedXObject(CDataSource& out, const PageObjects& page)
{
    CZAVImg& image = *page.image;
    int bitsPerComponent = BitsPerComponent(image);
    const int compression = image.m_tiffCompression;
    WriteImageDictionaryHead(out, page);
    if (compression == kTiffCcittG3 || compression == kTiffCcittG4) {
        WritePdfText(out, "/Filter /CCITTFaxDecode\n/DecodeParms << /K %i /Columns %ld /Rows %ld >>\n",
                     compression == kTiffCcittG3 ? 0 : -1, static_cast<long>(image.GetWidth()),
                     static_cast<long>(image.GetHeight()));
    } else if (compression == kTiffLzw)
        WritePdfText(out, "/Filter /LZWDecode\n");
    else if (IsDeflate(compression)) {
        image.m_tiffCompression = kTiffDeflate;
        WritePdfText(out, "/Filter /FlateDecode\n");
        if (image.GetBitsPerPixel() != 1 && image.m_tiffOptionA == kTiffPredictorHorizontal)
            WritePdfText(out, "/DecodeParms << /Predictor 2 /Colors %d /BitsPerComponent 8 /Columns %ld >>\n",
                         image.GetBitsPerPixel() == 24 ? 3 : 1, static_cast<long>(image.GetWidth()));
    } else {
        WritePdfText(out, "/Filter /RunLengthDecode\n");
        bitsPerComponent = 8;
    }
    WriteImageDictionaryTail(out, page, bitsPerComponent);
    WriteImageData(out, kFormatTiff);
}

void CPDFEncoder::WriteImageXObject(CDataSource& out, const PageObjects& page)
{
    CZAVImg& image = *page.image;
    const int coding = image.m_pdfImageCoding;
    const int jbig2 = image.GetImportExportDlls().GetJbig2DllId();
    const int jpeg2000 = image.GetImportExportDlls().GetJpeg2000DllId();
    StartObject(out);
    if (coding == kPdfCodingTiff) {
        WriteTiffCodedXObject(out, page);
        return;
    }
    WriteImageDictionaryHead(out, page);
    int bitsPerComponent = BitsPerComponent(image);
    if (coding == kPdfCodingJpeg)
        WritePdfText(out, "/Filter /DCTDecode\n/Interpolate true\n");
    else if (jbig2 != kNoPlugin && coding == jbig2) {
        // The plug-in codes 1 as black, which JBIG2Decode gives as the
        // black sample of /DeviceGray: no /Decode array is needed.
        WritePdfText(out, "/Filter /JBIG2Decode\n/DecodeParms << >>\n");
        bitsPerComponent = 1;
    } else if (jpeg2000 != kNoPlugin && coding == jpeg2000)
        WritePdfText(out, "/Filter /JPXDecode\n/Interpolate true\n");
    else
        CheckCompression();
    WriteImageDictionaryTail(out, page, bitsPerComponent);
    WriteImageData(out, coding == kPdfCodingJpeg ? kFormatJpeg : coding);
}

}  // namespace ZAV
