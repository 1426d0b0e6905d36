#include "formats/tiff/io/TiffNames.h"

#include <cstddef>

namespace ZAV {

namespace {

struct CodeName {
    int code;
    const char* name;
};

const CodeName kCompressionNames[] = {
    {1, "none"},
    {2, "CCITT RLE"},
    {3, "CCITT Group 3 fax encoding"},
    {4, "CCITT Group 4 fax encoding"},
    {5, "Lempel-Ziv & Welch"},
    {6, "Old JPEG"},
    {7, "JPEG DCT compression"},
    {8, "Deflate compression, as recognized by Adobe"},
    {32766, "NeXT 2-bit RLE"},
    {32771, "CCITT RLE with word alignment"},
    {32773, "Packbits RLE"},
    {32809, "ThunderScan RLE"},
    {32895, "IT8 CT with padding"},
    {32896, "IT8 Linework RLE"},
    {32897, "IT8 Monochrome picture"},
    {32898, "IT8 Binary line art"},
    {32908, "Pixar companded 10bit LZW"},
    {32909, "Pixar companded 11bit ZIP"},
    {32946, "Deflate compression"},
    {32947, "Kodak DCS encoding"},
    {34661, "ISO JBIG"},
    {34676, "SGI Log Luminance RLE"},
    {34677, "SGI Log 24-bit packed"},
};

const CodeName kPhotometricNames[] = {
    {0, "min value is white"}, {1, "min value is black"},      {2, "RGB"},      {3, "color map indexed"},
    {4, "holdout mask"},       {5, "color separations"},       {6, "CCIR 601"}, {8, "1976 CIE L*a*b*"},
    {32844, "CIE Log2(L)"},    {32845, "CIE Log2(L) (u',v')"},
};

template <size_t N>
const char* Lookup(const CodeName (&table)[N], int code)
{
    for (const CodeName& entry : table)
        if (entry.code == code)
            return entry.name;
    return "";
}

}  // namespace

const char* TiffCompressionName(int compression)
{
    return Lookup(kCompressionNames, compression);
}

const char* TiffPhotometricName(int photometric)
{
    return Lookup(kPhotometricNames, photometric);
}

}  // namespace ZAV
