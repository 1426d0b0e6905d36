// Fitting an image and its save settings to what a target format stores.
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// libtiff compression codes.
constexpr int kTiffCcittG3 = 3;
constexpr int kTiffCcittG4 = 4;
constexpr int kTiffLzw = 5;
constexpr int kTiffOldJpeg = 6;
constexpr int kTiffJpeg = 7;
constexpr int kTiffPackBits = 32773;
constexpr int kTiffDeflate = 32946;

// PNG colour types (PNG 11.2.2).
constexpr int kPngTruecolour = 2;
constexpr int kPngIndexed = 3;
constexpr int kPngTruecolourAlpha = 6;

constexpr int kPdfCodingJpeg = 4;
constexpr int kPdfCodingTiff = 5;

enum SaveFormat : int {
    kFormatBmp = 1,
    kFormatPcx = 3,
    kFormatJpeg = 4,
    kFormatTiff = 5,
    kFormatPng = 6,
    kFormatTga = 7,
    kFormatPsd = 10,
    kFormatPdf = 11,
    kFormatPbm = 12,
    kFormatPgm = 13,
    kFormatPpm = 14,
    kFormatGif = 15,
    kFormatWbmp = 16,
};

}  // namespace

void CZAVImg::FitForGrayOrTrueColour()
{
    if (m_bitsPerPixel == 8 && m_palette.IsGrayScale())
        ConvertToAllowedBitDepth({9, 24});
    else
        ConvertToAllowedBitDepth({24});
}

void CZAVImg::FitForTiffCoding(bool forPdf)
{
    ConvertToAllowedBitDepth({1, 8, 24});
    int& compression = m_tiffCompression;
    if (m_bitsPerPixel == 1) {
        if (compression != kTiffLzw && compression != kTiffDeflate) {
            compression = kTiffCcittG4;
            m_ccittOptionB = 1;
            m_ccittOptionA = 0;
        }
        return;
    }
    if (compression == kTiffLzw) {
        // LZW suits palette images far better than true colour.
        ConvertToAllowedBitDepth({8});
        return;
    }
    const bool keepsTrueColour =
        !forPdf && m_bitsPerPixel == 24 && (compression == kTiffJpeg || compression == kTiffOldJpeg);
    if (compression != kTiffDeflate && !keepsTrueColour)
        compression = kTiffPackBits;
}

void CZAVImg::FitForPdf()
{
    const int coding = m_pdfImageCoding;
    if (coding == kPdfCodingTiff) {
        const int c = m_tiffCompression;
        if (c != kTiffCcittG3 && c != kTiffCcittG4 && c != kTiffLzw && c != kTiffPackBits)
            ThrowTextException("Invalid PDF/TIFF compression subformat. Supported values are CCITT, LZW, PACKBITS!");
        FitForTiffCoding(true);
    } else if (coding == kPdfCodingJpeg || coding == m_dlls.GetJpeg2000DllId())
        ConvertToAllowedBitDepth({9, 24});
    else if (coding == m_dlls.GetJbig2DllId()) {
        ConvertToAllowedBitDepth({1});
        SetMinIsBlack();
    } else
        ThrowTextException("Invalid PDF subformat. Supported values are JPEG, TIFF, JBIG2, JPEG2000!");
}

void CZAVImg::CheckSaveOptions(int format)
{
    switch (format) {
    case kFormatJpeg:
        m_jpegGray = m_bitsPerPixel == 8 && m_palette.IsGrayScale() ? 1 : 0;
        FitForGrayOrTrueColour();
        m_jpegOptionA = 0;
        m_jpegQuality = 75;
        return;
    case kFormatBmp:
        ConvertToAllowedBitDepth({1, 8, 24});
        m_bmpOption = 1;
        return;
    case kFormatPng:
        ConvertToAllowedBitDepth({1, 8, 24, 32});
        m_pngColorType = m_bitsPerPixel == 24   ? kPngTruecolour
                         : m_bitsPerPixel == 32 ? kPngTruecolourAlpha
                                                : kPngIndexed;
        m_pngInterlace = 0;
        return;
    case kFormatTga:
    case kFormatPcx:
    case kFormatPsd:
        ConvertToAllowedBitDepth({1, 8, 24});
        return;
    case kFormatTiff:
        FitForTiffCoding(false);
        return;
    case kFormatPdf:
        FitForPdf();
        return;
    case kFormatPbm:
    case kFormatPgm:
    case kFormatPpm:
        ConvertToAllowedBitDepth({format == kFormatPbm ? 1 : format == kFormatPgm ? 9 : 24});
        m_portableMapOption = 1;
        return;
    case kFormatWbmp:
        ConvertToAllowedBitDepth({1});
        return;
    case kFormatGif:
        ConvertToAllowedBitDepth({1, 8});
        m_gif = CGifSettings();
        m_gif.values[5] = 1;
        return;
    default:
        break;
    }
    if (format == m_dlls.GetJbig2DllId()) {
        ConvertToAllowedBitDepth({1});
        SetMinIsBlack();
    } else if (format == m_dlls.GetJpeg2000DllId())
        ConvertToAllowedBitDepth({9, 24});
}

}  // namespace ZAV
