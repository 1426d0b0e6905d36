#include "formats/tiff/decode/TiffFacts.h"

namespace ZAV {

TiffFacts ReadTiffFacts(TIFF* tiff)
{
    TiffFacts facts;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &facts.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &facts.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &facts.samples);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &facts.compression);
    facts.hasPhotometric = TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &facts.photometric) != 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &facts.planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &facts.unit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &facts.xResolution);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &facts.yResolution);
    return facts;
}

}  // namespace ZAV
