#include "formats/jpeg/JPGDecoder.h"

#include <cstdio>
#include <string>
#include <vector>

#include "formats/jpeg/JpegDecompression.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kDecodeErrorCode = 2;
constexpr int kImageErrorCode = 10;
// JFIF density units.
constexpr int kDensityDotsPerInch = 1;
constexpr int kDensityDotsPerCm = 2;
constexpr int kCentimetresPerMetre = 100;

const char* ColorSpaceName(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_UNKNOWN:
        return "Unknown";
    case JCS_GRAYSCALE:
        return "Grayscale";
    case JCS_RGB:
        return "RGB";
    case JCS_YCbCr:
        return "Y/Cb/Cr";
    case JCS_CMYK:
        return "C/M/Y/K";
    case JCS_YCCK:
        return "Y/Cb/Cr/K";
    default:
        return "";
    }
}

std::string DensityText(int density, int unit)
{
    const char* unitText = unit == kDensityDotsPerInch ? "dots/inch" : (unit == kDensityDotsPerCm ? "dots/cm" : "");
    char text[48];
    std::snprintf(text, sizeof(text), "%d%s", density, unitText);
    return text;
}

// Inverted CMYK, as Adobe writes it: each of C, M, Y scaled by K.
void CmykToRgb(const JSAMPLE* cmyk, BYTE* rgb, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int black = cmyk[3];
        rgb[0] = static_cast<BYTE>(cmyk[0] * black / 255);
        rgb[1] = static_cast<BYTE>(cmyk[1] * black / 255);
        rgb[2] = static_cast<BYTE>(cmyk[2] * black / 255);
    }
}

}  // namespace

CJPGDecoder::~CJPGDecoder() = default;

void CJPGDecoder::ReadHeader(CJpegDecompression& jpeg)
{
    jpeg.ReadHeader();
    const jpeg_decompress_struct& info = jpeg.Info();
    CZAVImg* image = GetImage();
    if (CNameVariantPairs* list = image->GetImageInfo()) {
        list->SetString("TYPE", "JPEG (JPG)");
        list->SetString("SUBTYPE", ColorSpaceName(info.out_color_space));
        list->SetInt("WIDTH", static_cast<int32_t>(info.output_width));
        list->SetInt("HEIGHT", static_cast<int32_t>(info.output_height));
        list->SetInt("COLORDEPTH", info.num_components * 8);
        list->SetInt("CHANNELS", info.num_components);
        list->SetString("DPIX", DensityText(info.X_density, info.density_unit));
        list->SetString("DPIY", DensityText(info.Y_density, info.density_unit));
    }
    if (info.density_unit == kDensityDotsPerCm)
        image->SetResolution(info.X_density * kCentimetresPerMetre, info.Y_density * kCentimetresPerMetre,
                             kResolutionUnitMetre);
    else
        image->SetResolution(info.X_density, info.Y_density, kResolutionUnitInch);
}

int CJPGDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    CJpegDecompression jpeg(source);
    ReadHeader(jpeg);
    if (info) {
        const int depth = jpeg.Info().num_components * 8;
        if (depth != 8 && depth != 24)
            ThrowError(kDecodeErrorCode, "Decoding JPG: Illegal bpp value.");
        info->width = static_cast<int32_t>(jpeg.Info().output_width);
        info->height = static_cast<int32_t>(jpeg.Info().output_height);
        info->bitsPerPixel = depth;
        info->dpiX = 0;
        info->dpiY = 0;
    }
    return 1;
}

void CJPGDecoder::CreateImage(CJpegDecompression& jpeg)
{
    const jpeg_decompress_struct& info = jpeg.Info();
    const J_COLOR_SPACE space = info.out_color_space;
    // The rows below are as wide as these spaces' samples.
    const int components = space == JCS_GRAYSCALE ? 1 : (space == JCS_RGB ? 3 : 4);
    if ((space != JCS_GRAYSCALE && space != JCS_RGB && space != JCS_CMYK) || info.output_components != components)
        ThrowError(kDecodeErrorCode, "Unsupported colorspace!");
    CZAVImg* image = GetImage();
    const int depth = space == JCS_GRAYSCALE ? 8 : 24;
    // Made before libjpeg starts, so a size beyond the image ceiling is
    // refused before libjpeg allocates for it.
    if (!image->Create(static_cast<int>(info.output_width), static_cast<int>(info.output_height), depth))
        ThrowError(kImageErrorCode, image->GetErrorText().GetText());
    if (space == JCS_GRAYSCALE)
        image->GetPalette().CreateGrayScale();
}

void CJPGDecoder::ReadRows(CJpegDecompression& jpeg)
{
    const jpeg_decompress_struct& info = jpeg.Info();
    CZAVImg* image = GetImage();
    BYTE** lines = image->GetLineArray();
    const bool cmyk = info.out_color_space == JCS_CMYK;
    std::vector<JSAMPLE> cmykRow(cmyk ? static_cast<size_t>(info.output_width) * 4 : 0);
    for (int y = 0; y < image->GetHeight(); ++y) {
        JSAMPROW row = cmyk ? cmykRow.data() : lines[y];
        if (!jpeg.ReadScanline(row))
            break;
        if (cmyk)
            CmykToRgb(row, lines[y], info.output_width);
    }
}

int CJPGDecoder::DoLoadPicture(IDataSource* source, int*)
{
    CJpegDecompression jpeg(source);
    ReadHeader(jpeg);
    jpeg.Info().dct_method = JDCT_FLOAT;
    CreateImage(jpeg);
    jpeg.Start();
    ReadRows(jpeg);
    // A failure past the last row keeps the picture; the block is
    // destroyed either way.
    jpeg.Finish();
    return 1;
}

}  // namespace ZAV
