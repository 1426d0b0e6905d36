// One sample of 1 to 8 bits, read line by line. 1-bit rows stay packed;
// every other depth is expanded to one palette index per byte.
#include <algorithm>
#include <climits>
#include <vector>

#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "formats/tiff/io/TiffHandlerState.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kPaletteEntries = 256;

struct LineFacts {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 1;
    uint16_t samples = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
};

bool IsCcitt(int compression)
{
    return compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTFAX3 ||
           compression == COMPRESSION_CCITTFAX4 || compression == COMPRESSION_CCITTRLEW;
}

// Without a Photometric tag: fax data is white on zero, palettes are
// palettes, one sample is grey and several are RGB.
uint16_t DefaultPhotometric(TIFF* tiff, const LineFacts& facts)
{
    if (facts.samples != 1)
        return PHOTOMETRIC_RGB;
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (facts.bits == 1)
        return IsCcitt(compression) ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    return TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_MINISBLACK;
}

LineFacts ReadLineFacts(TIFF* tiff)
{
    LineFacts facts;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &facts.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &facts.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &facts.samples);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &facts.photometric))
        facts.photometric = DefaultPhotometric(tiff, facts);
    return facts;
}

// A grey ramp of 2^bits entries; min-is-white runs from white to black.
void SetGreyRamp(CImagePalette& palette, int bits, int depth, bool whiteFirst)
{
    const int count = 1 << bits;
    const int step = 255 / (count - 1);
    std::vector<uint32_t> entries(count);
    for (int i = 0; i < count; ++i) {
        const BYTE level = static_cast<BYTE>((whiteFirst ? count - 1 - i : i) * step);
        entries[i] = MakePaletteEntry(level, level, level);
    }
    palette.Create(depth);
    palette.SetEntries(entries.data(), count);
}

// The colour map's entries; a map with any value above 255 is 16-bit and is
// read by its high bytes. The rest of an 8-bit palette stays black, so the
// indices of a 2- or 4-bit map keep their colours.
void SetColorMap(TIFF* tiff, CImagePalette& palette, int bits, int depth)
{
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue))
        return;
    const int count = 1 << bits;
    bool sixteenBit = false;
    for (int i = 0; i < count; ++i)
        sixteenBit = sixteenBit || red[i] > 255 || green[i] > 255 || blue[i] > 255;
    const int shift = sixteenBit ? 8 : 0;
    std::vector<uint32_t> entries(count);
    for (int i = 0; i < count; ++i)
        entries[i] = MakePaletteEntry(static_cast<BYTE>(red[i] >> shift), static_cast<BYTE>(green[i] >> shift),
                                      static_cast<BYTE>(blue[i] >> shift));
    palette.Create(depth);
    palette.SetEntries(entries.data(), count);
}

void BuildPalette(TIFF* tiff, CZAVImg& image, const LineFacts& facts, int depth)
{
    CImagePalette& palette = image.GetPalette();
    if (facts.photometric == PHOTOMETRIC_MINISWHITE || facts.photometric == PHOTOMETRIC_MINISBLACK)
        SetGreyRamp(palette, facts.bits, depth, facts.photometric == PHOTOMETRIC_MINISWHITE);
    else if (facts.photometric == PHOTOMETRIC_PALETTE)
        SetColorMap(tiff, palette, facts.bits, depth);
    if (depth == 1 && palette.GetCount() < 2)
        palette.CreateBlackWhite();
    else if (depth == 8 && palette.GetCount() < kPaletteEntries)
        palette.CreateGrayScale();
}

// Samples of 2 to 7 bits, most significant first, one per output byte.
void ExpandSamples(const uint8_t* line, BYTE* row, uint32_t width, int bits)
{
    const unsigned mask = (1u << bits) - 1;
    uint64_t bit = 0;
    for (uint32_t x = 0; x < width; ++x, bit += bits) {
        const size_t byte = static_cast<size_t>(bit >> 3);
        const unsigned pair = (static_cast<unsigned>(line[byte]) << 8) | line[byte + 1];
        row[x] = static_cast<BYTE>((pair >> (16 - bits - (bit & 7))) & mask);
    }
}

void ReadRows(const TiffRoute& route, const LineFacts& facts, int64_t lineSize)
{
    CZAVImg& image = route.image;
    // One spare byte: a sample's two source bytes are read together.
    std::vector<uint8_t> line(static_cast<size_t>(lineSize) + 1);
    BYTE** rows = image.GetLineArray();
    const size_t rowBytes = static_cast<size_t>(image.GetBytesPerLine());
    const bool packed = facts.bits == 1 || facts.bits == 8;
    for (uint32_t y = 0; y < facts.height; ++y) {
        if (TIFFReadScanline(route.tiff, line.data(), y, 0) < 0) {
            // What was read stays; the error is in the image's list.
            if (y == 0)
                CPicDecoder::ThrowError(7, GetTiffLastError());
            break;
        }
        if (packed)
            std::copy(line.begin(), line.begin() + std::min<int64_t>(lineSize, rowBytes), rows[y]);
        else
            ExpandSamples(line.data(), rows[y], facts.width, facts.bits);
        route.source.NotifyProgress(static_cast<double>(y) / facts.height);
    }
}

}  // namespace

void DecodeLineRoute(const TiffRoute& route)
{
    const LineFacts facts = ReadLineFacts(route.tiff);
    if (facts.bits == 0)
        CPicDecoder::ThrowError(10, "Invalid TIFF bits per sample!");
    ApplyTiffResolution(route.tiff, route.image);
    const int64_t lineSize = TIFFScanlineSize64(route.tiff);
    const int depth = facts.bits == 1 && facts.samples == 1 ? 1 : 8;
    if (*route.depth == 0)
        *route.depth = depth;
    const int64_t imageBytes =
        CZAVImgBase::CalcImageSize(static_cast<int>(std::min<uint32_t>(facts.width, INT_MAX)),
                                   static_cast<int>(std::min<uint32_t>(facts.height, INT_MAX)), depth);
    if (lineSize <= 0 || lineSize * 8 < int64_t(facts.width) * facts.bits)
        CPicDecoder::ThrowError(10, "Out of memory allocating TIFF buffer.");
    CheckTiffDecodeBytes(route.source, imageBytes);
    CheckTiffDecodeBytes(route.source, lineSize);
    CreateTiffImage(route.image, facts.width, facts.height, depth);
    BuildPalette(route.tiff, route.image, facts, depth);
    ReadRows(route, facts, lineSize);
}

}  // namespace ZAV
