// The four ways a picture goes into a PDF stream: TIFF-coded (CCITT, LZW,
// Deflate, run length), JPEG, JBIG2 and JPEG 2000, the last two through the
// picture's bound plug-ins.
#include "interfaces/pagewriter/PageWriterImageCoding.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/pagewriter/PageWriterCodes.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

// CCITT K values (ISO 32000-1, table 11): Group 3 one-dimensional, Group 4.
constexpr int kCcittGroup3K = 0;
constexpr int kCcittGroup4K = -1;
// TIFF predictor 2 (horizontal differencing) as the Deflate strips carry it.
constexpr int kTiffPredictor = 2;
constexpr int kNoPredictor = 1;

int32_t BitsPerComponent(CPageImage& image)
{
    return image.GetBitsPerPixel() == 1 ? 1 : 8;
}

boost::shared_ptr<CPDFDictionary> CcittParms(CPDFDocument* document, CPageImage& image, int k)
{
    boost::shared_ptr<CPDFDictionary> parms = CreatePDFDictionary(document);
    parms->SetInteger("/K", k);
    parms->SetInteger("/Columns", image.GetWidth());
    parms->SetInteger("/Rows", image.GetHeight());
    return parms;
}

// 8- and 24-bit Deflate strips carry the TIFF predictor; 1-bit ones none.
boost::shared_ptr<CPDFDictionary> DeflateParms(CPDFDocument* document, CPageImage& image)
{
    boost::shared_ptr<CPDFDictionary> parms = CreatePDFDictionary(document);
    const int32_t depth = image.GetBitsPerPixel();
    if (depth == 1) {
        parms->SetInteger("/Predictor", kNoPredictor);
        return parms;
    }
    parms->SetInteger("/Predictor", kTiffPredictor);
    parms->SetInteger("/Colors", depth == 24 ? 3 : 1);
    parms->SetInteger("/BitsPerComponent", 8);
    parms->SetInteger("/Columns", image.GetWidth());
    return parms;
}

CCodedImage WriteTiffCodedImage(CPDFDocument* document, CPageImage& image)
{
    // CCITT white runs are white under /DeviceGray only when 0 is white.
    if (image.GetBitsPerPixel() == 1)
        image.SetMinIsWhite();
    CCodedImage coded;
    coded.bitsPerComponent = BitsPerComponent(image);
    const int32_t compression = image.GetTiffCompression();
    if (compression == kTiffCcittGroup3 || compression == kTiffCcittGroup4) {
        coded.filter = "/CCITTFaxDecode";
        coded.decodeParms =
            CcittParms(document, image, compression == kTiffCcittGroup3 ? kCcittGroup3K : kCcittGroup4K);
        coded.data = image.Encode(ePageImageFilter::Ccitt);
    } else if (compression == kTiffLzw) {
        coded.filter = "/LZWDecode";
        coded.data = image.Encode(ePageImageFilter::Lzw);
    } else if (IsTiffDeflate(compression)) {
        image.SetTiffCompression(kTiffDeflate);
        coded.filter = "/FlateDecode";
        coded.decodeParms = DeflateParms(document, image);
        coded.data = image.Encode(ePageImageFilter::Flate);
    } else {
        coded.filter = "/RunLengthDecode";
        coded.bitsPerComponent = 8;
        coded.data = image.Encode(ePageImageFilter::RunLength);
    }
    return coded;
}

// JPEG and JPEG 2000 pictures are smoothed when a reader scales them.
CCodedImage WriteInterpolatedImage(CPageImage& image, const char* filter, ePageImageFilter coding)
{
    CCodedImage coded;
    coded.filter = filter;
    coded.interpolate = true;
    coded.bitsPerComponent = BitsPerComponent(image);
    coded.data = image.Encode(coding);
    return coded;
}

CCodedImage WriteJbig2Image(CPDFDocument* document, CPageImage& image)
{
    // The plug-in codes 1 as black, which JBIG2Decode hands on as black
    // (ISO 32000-1, 7.4.7), so the stream needs no /Decode array.
    if (image.GetBitsPerPixel() == 1)
        image.SetMinIsBlack();
    CCodedImage coded;
    coded.filter = "/JBIG2Decode";
    coded.decodeParms = CreatePDFDictionary(document);
    coded.bitsPerComponent = 1;
    coded.data = image.Encode(ePageImageFilter::Jbig2);
    return coded;
}

[[noreturn]] void ThrowUnsupportedCoding(int32_t coding)
{
    String text;
    text.Format("Unsupported PDF subformat value %d. Ensure that you attached the filter dlls. Use zavifTIF or the "
                "Jpeg2000 or JBIG2 filter dll Id's.",
                coding);
    ThrowTextException(text.GetText());
}

CCodedImage CodeByCoding(CPDFDocument* document, CPageImage& image)
{
    const int32_t jpeg2000Id = image.GetJpeg2000DllId();
    const int32_t jbig2Id = image.GetJbig2DllId();
    const int32_t coding = image.GetPdfImageCoding();
    if (coding == kPdfCodingTiff)
        return WriteTiffCodedImage(document, image);
    if (coding == kPdfCodingJpeg)
        return WriteInterpolatedImage(image, "/DCTDecode", ePageImageFilter::Dct);
    if (jbig2Id != kNoPlugin && coding == jbig2Id)
        return WriteJbig2Image(document, image);
    if (jpeg2000Id != kNoPlugin && coding == jpeg2000Id)
        return WriteInterpolatedImage(image, "/JPXDecode", ePageImageFilter::Jpx);
    ThrowUnsupportedCoding(coding);
}

}  // namespace

CCodedImage CodeImage(CPDFDocument* document, CPageImage& image)
{
    // The coded bytes count in an int, as the object model's streams do.
    return CodeByCoding(document, image);
}

}  // namespace ZAV
