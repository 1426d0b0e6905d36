// Directories the line route does not take: 16-bit grey and RGB samples,
// ICC colour conversion, and libtiff's RGBA reader for everything else.
#include <new>
#include <vector>

#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "formats/tiff/icc/IccTiffRoute.h"
#include "formats/tiff/io/TiffHandlerState.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kWideSampleBits = 16;
constexpr int kProgressRowStep = 100;
constexpr double kRgbaReadStart = 0.05;
constexpr double kRgbaReadDone = 0.5;

struct GeneralFacts {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 1;
    uint16_t samples = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t planar = PLANARCONFIG_CONTIG;
};

GeneralFacts ReadGeneralFacts(TIFF* tiff)
{
    GeneralFacts facts;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &facts.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &facts.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &facts.samples);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &facts.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &facts.planar);
    return facts;
}

bool IsGrey(const GeneralFacts& facts)
{
    return facts.samples == 1 &&
           (facts.photometric == PHOTOMETRIC_MINISBLACK || facts.photometric == PHOTOMETRIC_MINISWHITE);
}

bool IsRgb(const GeneralFacts& facts)
{
    return facts.samples == 3 && facts.photometric == PHOTOMETRIC_RGB;
}

void StoreLittleEndian16(BYTE* out, uint16_t value)
{
    out[0] = static_cast<BYTE>(value & 0xFF);
    out[1] = static_cast<BYTE>(value >> 8);
}

// Rows of 16-bit samples in host order (libtiff swaps them) into the image:
// kept at 16 bits, low byte first, or cut to their high bytes.
void ReadWideRows(const TiffRoute& route, const GeneralFacts& facts, bool keep16)
{
    const size_t samplesPerRow = static_cast<size_t>(facts.width) * facts.samples;
    const int64_t lineSize = TIFFScanlineSize64(route.tiff);
    if (lineSize != static_cast<int64_t>(samplesPerRow * 2) || facts.planar != PLANARCONFIG_CONTIG)
        CPicDecoder::ThrowError(13, "Scanline size mismatch!");
    std::vector<uint16_t> line(samplesPerRow);
    const bool invert = facts.photometric == PHOTOMETRIC_MINISWHITE;
    BYTE** rows = route.image.GetLineArray();
    for (uint32_t y = 0; y < facts.height; ++y) {
        if (TIFFReadScanline(route.tiff, line.data(), y, 0) < 0)
            CPicDecoder::ThrowError(13, "Error reading scanline!");
        for (size_t i = 0; i < samplesPerRow; ++i) {
            const uint16_t value = invert ? static_cast<uint16_t>(0xFFFF - line[i]) : line[i];
            if (keep16)
                StoreLittleEndian16(rows[y] + 2 * i, value);
            else
                rows[y][i] = static_cast<BYTE>(value >> 8);
        }
        if (y % kProgressRowStep == 0)
            route.source.NotifyProgress(static_cast<double>(y) / facts.height);
    }
}

void DecodeWide(const TiffRoute& route, const GeneralFacts& facts, int depth)
{
    *route.depth = depth;
    const int64_t samples = int64_t(facts.width) * facts.height * facts.samples;
    CheckTiffDecodeBytes(route.source, samples * 2);
    CreateTiffImage(route.image, facts.width, facts.height, depth);
    if (depth == 8)
        route.image.GetPalette().CreateGrayScale();
    ReadWideRows(route, facts, depth != 8);
}

void DecodeRgba(const TiffRoute& route, const GeneralFacts& facts)
{
    *route.depth = 24;
    const int64_t pixels = int64_t(facts.width) * facts.height;
    CheckTiffDecodeBytes(route.source, pixels * 4);
    CreateTiffImage(route.image, facts.width, facts.height, 24);
    std::vector<uint32_t> raster;
    try {
        raster.resize(static_cast<size_t>(pixels));
    } catch (const std::bad_alloc&) {
        CPicDecoder::ThrowError(10, "Out of memory allocating TIFF buffer.");
    }
    route.source.NotifyProgress(kRgbaReadStart);
    if (!TIFFReadRGBAImage(route.tiff, facts.width, facts.height, raster.data(), 1))
        CPicDecoder::ThrowError(13, "Invalid TIFF");
    route.source.NotifyProgress(kRgbaReadDone);
    BYTE** rows = route.image.GetLineArray();
    // The raster's first row is the bottom one.
    for (uint32_t y = 0; y < facts.height; ++y) {
        const uint32_t* in = raster.data() + size_t(facts.height - 1 - y) * facts.width;
        BYTE* out = rows[y];
        for (uint32_t x = 0; x < facts.width; ++x, out += 3) {
            out[0] = static_cast<BYTE>(TIFFGetR(in[x]));
            out[1] = static_cast<BYTE>(TIFFGetG(in[x]));
            out[2] = static_cast<BYTE>(TIFFGetB(in[x]));
        }
        route.source.NotifyProgress(kRgbaReadDone + kRgbaReadDone * y / facts.height);
    }
}

}  // namespace

void DecodeGeneralRoute(const TiffRoute& route)
{
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(route.tiff, reason))
        CPicDecoder::ThrowError(1, GetTiffLastError()[0] ? GetTiffLastError() : reason);
    ApplyTiffResolution(route.tiff, route.image);
    const GeneralFacts facts = ReadGeneralFacts(route.tiff);
    const bool wide = facts.bits == kWideSampleBits;
    // The high-dynamic-range switch keeps 16-bit samples; off, they are
    // reduced to 8 bits.
    const bool keepWide = route.image.m_highDynamicRange != 0;
    if (wide && keepWide && IsRgb(facts))
        DecodeWide(route, facts, 48);
    else if (wide && IsGrey(facts))
        DecodeWide(route, facts, keepWide ? 16 : 8);
    else if (WantsIccConversion(route))
        DecodeIccRoute(route);
    else
        DecodeRgba(route, facts);
}

}  // namespace ZAV
