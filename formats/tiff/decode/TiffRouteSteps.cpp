// Steps every decoding route shares.
#include <climits>

#include "formats/FormatLimits.h"
#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/decode/TiffFileInfo.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "foundation/datasource/DataSource.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

void ApplyTiffResolution(TIFF* tiff, CZAVImg& image)
{
    uint16_t unit = RESUNIT_NONE;
    float x = 0, y = 0;
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y);
    int valueX = 0, valueY = 0, imageUnit = 0;
    TiffResolutionForImage(unit, x, y, valueX, valueY, imageUnit);
    image.SetResolution(valueX, valueY, imageUnit);
}

void CheckTiffDecodeBytes(CDataSource& source, int64_t bytes)
{
    const int64_t fileBytes = static_cast<int64_t>(source.GetLength());
    if (bytes < 0 || bytes > kMaxImageBytes || bytes / kTiffMaxDecodeExpansion > fileBytes)
        CPicDecoder::ThrowError(10, "TIFF image size exceeds what the file can hold!");
}

void CreateTiffImage(CZAVImg& image, uint32_t width, uint32_t height, int depth)
{
    if (width > INT_MAX || height > INT_MAX)
        CPicDecoder::ThrowError(10, "Invalid Size!");
    if (!image.Create(static_cast<int>(width), static_cast<int>(height), depth))
        CPicDecoder::ThrowError(10, image.GetErrorText().GetText());
}

}  // namespace ZAV
