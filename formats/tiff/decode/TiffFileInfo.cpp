#include "formats/tiff/decode/TiffFileInfo.h"

#include <cstdio>

#include "formats/tiff/TiffSettings.h"
#include "formats/tiff/io/TiffNames.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

struct TiffFacts {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t unit = RESUNIT_INCH;
    float xResolution = 0;
    float yResolution = 0;
    uint16_t samples = 1;
    uint16_t bits = 1;
    uint16_t compression = 0;
    uint16_t photometric = PHOTOMETRIC_RGB;
};

TiffFacts ReadFacts(TIFF* tiff)
{
    TiffFacts facts;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &facts.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &facts.unit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &facts.xResolution);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &facts.yResolution);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &facts.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &facts.bits);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &facts.compression);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &facts.photometric);
    return facts;
}

const char* UnitText(int unit)
{
    return unit == RESUNIT_INCH ? "pixels/inch" : unit == RESUNIT_CENTIMETER ? "pixels/cm" : "";
}

std::string ResolutionText(float value, int unit)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f%s", static_cast<double>(value), UnitText(unit));
    return text;
}

void StoreFacts(CNameVariantPairs& list, const TiffFacts& facts, int frames)
{
    list.SetString("TYPE", "Tagged Image File (TIFF)");
    list.SetInt("WIDTH", static_cast<int32_t>(facts.width));
    list.SetInt("HEIGHT", static_cast<int32_t>(facts.height));
    list.SetInt("COLORDEPTH", facts.bits * facts.samples);
    list.SetString("DPIX", ResolutionText(facts.xResolution, facts.unit));
    list.SetString("DPIY", ResolutionText(facts.yResolution, facts.unit));
    list.SetString("COMPRESSION", TiffCompressionName(facts.compression));
    list.SetString("SUBTYPE", TiffPhotometricName(facts.photometric));
    list.SetInt("FRAMES", frames);
}

void FillRecord(FilterImageInfo& info, const TiffFacts& facts)
{
    info.width = static_cast<int32_t>(facts.width);
    info.height = static_cast<int32_t>(facts.height);
    info.bitsPerPixel = facts.bits * facts.samples;
    int x = 0, y = 0, unit = 0;
    TiffResolutionForImage(facts.unit, facts.xResolution, facts.yResolution, x, y, unit);
    CZAVImgBase::ConvertResolution(x, y, unit, x, y);
    info.dpiX = x;
    info.dpiY = y;
}

// Far above any scanner's resolution, in dots per metre.
constexpr double kMaxResolutionValue = 1e8;

}  // namespace

int TiffResolutionValue(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<int>(value < kMaxResolutionValue ? value : kMaxResolutionValue);
}

void TiffResolutionForImage(int unit, float x, float y, int& outX, int& outY, int& outUnit)
{
    // Centimetre values are passed on as dots per metre.
    const double scale = unit == RESUNIT_CENTIMETER ? 100.0 : 1.0;
    outX = TiffResolutionValue(x * scale);
    outY = TiffResolutionValue(y * scale);
    outUnit = unit == RESUNIT_INCH ? kResolutionUnitInch : unit == RESUNIT_CENTIMETER ? kResolutionUnitMetre : 0;
}

void ReadTiffFileInfo(TIFF* tiff, CZAVImg& image, FilterImageInfo* info)
{
    const TiffFacts facts = ReadFacts(tiff);
    TiffCompressionSetting(image) = facts.compression;
    if (CNameVariantPairs* list = image.GetImageInfo())
        StoreFacts(*list, facts, static_cast<int>(TIFFNumberOfDirectories(tiff)));
    if (info)
        FillRecord(*info, facts);
}

}  // namespace ZAV
