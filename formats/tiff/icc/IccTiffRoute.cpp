#include "formats/tiff/icc/IccTiffRoute.h"

#include <vector>

#include "formats/FormatLimits.h"
#include "formats/tiff/TiffSettings.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "formats/tiff/icc/IccConversion.h"
#include "formats/tiff/icc/TiffImg.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kIccSampleBits = 8;
constexpr int kProgressRowStep = 100;

bool EmbeddedProfile(TIFF* tiff, std::vector<uint8_t>& bytes)
{
    uint32_t count = 0;
    const uint8_t* data = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &count, &data) || count == 0 || !data)
        return false;
    if (count > kTiffMaxIccProfileBytes)
        ThrowTextException("Can't extract tiff ICC Profile!");
    bytes.assign(data, data + count);
    return true;
}

// The source space must be what the file's samples are.
bool SourceMatches(cmsColorSpaceSignature space, const CTiffImg& image)
{
    const int samples = image.GetSamplesPerPixel();
    const TiffColorClass colorClass = image.GetColorClass();
    if (image.GetBitsPerSample() != kIccSampleBits)
        return false;
    switch (space) {
    case cmsSigRgbData:
        return samples == 3 && colorClass == kTiffAdditive;
    case cmsSigLabData:
    case cmsSigXYZData:
        return samples == 3 && colorClass == kTiffLab;
    case cmsSigCmykData:
    case cmsSig4colorData:
        return samples == 4 && colorClass == kTiffSubtractive;
    case cmsSig5colorData:
        return samples == 5 && colorClass == kTiffSubtractive;
    case cmsSig6colorData:
        return samples == 6 && colorClass == kTiffSubtractive;
    default:
        return false;
    }
}

void ConvertRows(const TiffRoute& route, CTiffImg& lines, CIccConversion& conversion)
{
    std::vector<uint8_t> line(lines.GetBytesPerLine());
    BYTE** rows = route.image.GetLineArray();
    const uint32_t height = lines.GetHeight();
    for (uint32_t y = 0; y < height; ++y) {
        // A strip that cannot be read stops the conversion: its rows would
        // be stale bytes.
        if (lines.ReadLine(line.data()) <= 0)
            ThrowTextException("Error reading TIFF strip for ICC conversion!");
        conversion.Apply(line.data(), rows[y], lines.GetWidth());
        if (y % kProgressRowStep == 0)
            route.source.NotifyProgress(static_cast<double>(y + 1) / height);
    }
}

}  // namespace

bool WantsIccConversion(const TiffRoute& route)
{
    if (!IccConversionEnabled(route.image) || IccDestinationProfile(route.image).empty())
        return false;
    uint32_t count = 0;
    const void* data = nullptr;
    const bool embedded = TIFFGetField(route.tiff, TIFFTAG_ICCPROFILE, &count, &data) && count > 0 && data;
    return embedded || !IccSourceProfile(route.image).empty();
}

void DecodeIccRoute(const TiffRoute& route)
{
    *route.depth = 24;
    IccConversionRequest request;
    request.destinationProfile = IccDestinationProfile(route.image);
    std::vector<uint8_t> embedded;
    if (!EmbeddedProfile(route.tiff, embedded))
        request.sourceProfile = IccSourceProfile(route.image);
    CIccConversion conversion(request, embedded);
    CTiffImg lines;
    lines.Attach(route.tiff);
    if (!SourceMatches(conversion.GetSourceSpace(), lines))
        ThrowTextException("Source image dataformat and ICC Profile do not match!");
    if (conversion.GetDestinationSpace() != cmsSigRgbData)
        ThrowTextException("Invalid destination ICC profile! RGB expected");
    conversion.Begin();
    CheckTiffDecodeBytes(route.source, int64_t(lines.GetWidth()) * lines.GetHeight() * 3);
    CheckTiffDecodeBytes(route.source, int64_t(lines.GetBytesPerLine()));
    if (!route.image.Create(static_cast<int>(lines.GetWidth()), static_cast<int>(lines.GetHeight()), 24))
        ThrowTextException(route.image.GetErrorText().GetText());
    ConvertRows(route, lines, conversion);
}

}  // namespace ZAV
