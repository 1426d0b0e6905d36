// The tags of a page: size, resolution, samples by depth, compression with
// its options, and the palette.
#include <cstdio>
#include <vector>

#include "formats/tiff/TiffSettings.h"
#include "formats/tiff/encode/TIFFEncoder.h"

namespace ZAV {

namespace {

constexpr int kCompressionNone = COMPRESSION_NONE;
// libtiff cannot write old-style JPEG; such saves use the JPEG of TIFF 6.
constexpr int kCompressionOldJpeg = COMPRESSION_OJPEG;
constexpr int kCompressionJpeg = COMPRESSION_JPEG;
constexpr int kColorMapEntries = 256;
// An 8-bit palette value v is stored as v x 257, so 255 becomes 65535.
constexpr uint16_t kColorMapScale = 257;

bool IsJpeg(int compression)
{
    return compression == kCompressionOldJpeg || compression == kCompressionJpeg;
}

bool IsCcitt(int compression)
{
    return compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTRLEW ||
           compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4;
}

bool IsDeflate(int compression)
{
    return compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE;
}

}  // namespace

CZAVImg& CTIFFEncoder::Page() const
{
    return *m_page;
}

int CTIFFEncoder::EffectiveCompression() const
{
    const int compression = TiffCompressionSetting(Page());
    const int depth = Page().GetBitsPerPixel();
    if (depth == 8 && IsJpeg(compression))
        return kCompressionNone;
    if (depth == 24 && compression == kCompressionOldJpeg)
        return kCompressionJpeg;
    return compression;
}

void CTIFFEncoder::SetTags(TIFF* tiff)
{
    CZAVImg& image = Page();
    char software[256];
    std::snprintf(software, sizeof(software), "ZAVImage - %s", TIFFGetVersion());
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.GetWidth()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.GetHeight()));
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(image.GetXResolution()));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(image.GetYResolution()));
    TIFFSetField(tiff, TIFFTAG_SOFTWARE, software);
    const int compression = EffectiveCompression();
    SetSampleTags(tiff, compression);
    SetCompressionTags(tiff, compression);
    // One strip per page: the PDF routines read strip 0 as the whole stream.
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(image.GetHeight()));
}

void CTIFFEncoder::SetSampleTags(TIFF* tiff, int compression)
{
    CZAVImg& image = Page();
    const int depth = image.GetBitsPerPixel();
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowError(22, "TIFF export requires 1, 8 or 24bpp image!");
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, depth == 24 ? 3 : 1);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, depth == 1 ? 1 : 8);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    int photometric = PHOTOMETRIC_RGB;
    if (depth == 8)
        photometric = PHOTOMETRIC_PALETTE;
    else if (depth == 1) {
        const CImagePalette& palette = image.GetPalette();
        const bool whiteFirst = palette.GetCount() >= 2 && palette.IsInverted();
        photometric = whiteFirst ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
    }
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
}

void CTIFFEncoder::SetCompressionTags(TIFF* tiff, int compression)
{
    CZAVImg& image = Page();
    const int depth = image.GetBitsPerPixel();
    m_copyRows = 0;
    if (IsCcitt(compression) && depth != 1)
        ThrowError(22, "Tiff Compression requires 1bpp image!");
    if (compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4) {
        if (compression == COMPRESSION_CCITTFAX3)
            TIFFSetField(tiff, TIFFTAG_GROUP3OPTIONS, static_cast<uint32_t>(TiffT4OptionsSetting(image)));
        const int t6 = TiffT6OptionsSetting(image);
        if (compression == COMPRESSION_CCITTFAX4 && t6 != 0 && t6 != 1)
            TIFFSetField(tiff, TIFFTAG_GROUP4OPTIONS, static_cast<uint32_t>(t6));
        TIFFSetField(tiff, TIFFTAG_FAXMODE, TiffFaxModeSetting(image));
        TIFFSetField(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    } else if (IsJpeg(compression)) {
        if (depth != 24)
            ThrowError(22, "TiffJPEG Compression requires 24bpp image!");
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
        TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, image.m_jpegQuality);
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    } else if (IsDeflate(compression)) {
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, depth == 1 ? PREDICTOR_NONE : TiffPredictorSetting(image));
        m_copyRows = 1;
    }
}

void CTIFFEncoder::WritePalette(TIFF* tiff)
{
    CZAVImg& image = Page();
    if (image.GetBitsPerPixel() != 1 && image.GetBitsPerPixel() != 8)
        return;
    const CImagePalette& palette = image.GetPalette();
    if (palette.GetCount() <= 0)
        ThrowError(17, "No Palette available!");
    std::vector<uint16_t> red(kColorMapEntries), green(kColorMapEntries), blue(kColorMapEntries);
    const int count = palette.GetCount() < kColorMapEntries ? palette.GetCount() : kColorMapEntries;
    for (int i = 0; i < count; ++i) {
        const uint32_t entry = palette.GetEntries()[i];
        red[i] = static_cast<uint16_t>(PaletteRed(entry) * kColorMapScale);
        green[i] = static_cast<uint16_t>(PaletteGreen(entry) * kColorMapScale);
        blue[i] = static_cast<uint16_t>(PaletteBlue(entry) * kColorMapScale);
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

}  // namespace ZAV
