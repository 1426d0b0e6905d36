// Old-style JPEG files (compression 6) often hold a whole JPEG file at
// JPEGInterchangeFormat; the JPEG decoder reads it from there.
#include <memory>

#include "formats/codec/BuiltInCodecs.h"
#include "formats/registry/ImgFormat.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

bool HasStrips(TIFF* tiff)
{
    if (TIFFIsTiled(tiff) || TIFFNumberOfStrips(tiff) < 1)
        return false;
    uint64_t* offsets = nullptr;
    uint64_t* counts = nullptr;
    return TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets) && TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts) &&
           offsets && counts;
}

}  // namespace

bool FindEmbeddedJpeg(TIFF* tiff, CDataSource& source, uint64_t& offset)
{
    uint64_t length = 0;
    offset = 0;
    if (!TIFFGetField(tiff, TIFFTAG_JPEGIFOFFSET, &offset) || offset < 1 || !HasStrips(tiff))
        return false;
    TIFFGetField(tiff, TIFFTAG_JPEGIFBYTECOUNT, &length);
    const uint64_t size = source.GetLength();
    return offset < size && length <= size - offset;
}

bool DecodeEmbeddedJpeg(const TiffRoute& route)
{
    const uint64_t position = route.source.GetPosition();
    uint64_t offset = 0;
    std::unique_ptr<CPicDecoder> jpeg;
    if (!FindEmbeddedJpeg(route.tiff, route.source, offset) || !(jpeg = MakeBuiltInDecoder(zavifJPEG)) ||
        !route.source.Seek(static_cast<int64_t>(offset), 0)) {
        route.source.Seek(static_cast<int64_t>(position), 0);
        return false;
    }
    try {
        jpeg->LoadPicture(&route.image, &route.source, 0);
        return true;
    } catch (const CTextException&) {
        route.source.Seek(static_cast<int64_t>(position), 0);
        return false;
    }
}

}  // namespace ZAV
