// The decoding routes of one TIFF directory, each filling the image.
#pragma once

#include <cstdint>
#include <tiffio.h>

namespace ZAV {

class CDataSource;
class CZAVImg;

struct TiffRoute {
    TIFF* tiff;
    CZAVImg& image;
    CDataSource& source;
    // The depth word: read by the line route, set to the depth produced.
    int* depth;
};

// The embedded JPEG of an old-style JPEG file through the JPEG decoder;
// false (source position restored) when there is none or it fails.
bool DecodeEmbeddedJpeg(const TiffRoute& route);
// The embedded JPEG's offset, when the directory names one and a strip
// table, and the offset and length lie inside the source.
bool FindEmbeddedJpeg(TIFF* tiff, CDataSource& source, uint64_t& offset);
// One sample of 1 to 8 bits: 1-bit images stay packed, the others get one
// palette index per byte.
void DecodeLineRoute(const TiffRoute& route);
// Everything else: 16-bit samples, ICC conversion or libtiff's RGBA reader.
void DecodeGeneralRoute(const TiffRoute& route);

// ---- shared steps ----
// The directory's resolution, in the image's units.
void ApplyTiffResolution(TIFF* tiff, CZAVImg& image);
// Throws when a buffer of this many bytes is larger than an image may be or
// than the file's bytes can code.
void CheckTiffDecodeBytes(CDataSource& source, int64_t bytes);
// Creates the image, or throws with its error text.
void CreateTiffImage(CZAVImg& image, uint32_t width, uint32_t height, int depth);

}  // namespace ZAV
