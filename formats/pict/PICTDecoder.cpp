#include "formats/pict/PICTDecoder.h"

#include "formats/codec/FileBytes.h"
#include "formats/pict/PictColourTable.h"
#include "formats/pict/PictPicture.h"
#include "formats/pict/PictRows.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeMemory = 10;

struct PictPixels {
    std::vector<uint8_t> rows;
    std::vector<uint32_t> palette;
};

void SkipRegion(CFileBytes& bytes)
{
    const uint16_t size = bytes.BE16();
    bytes.Skip(size >= 2 ? size - 2u : 0u);
}

PictPixels DecodePixels(CFileBytes& bytes, const PictPicture& picture)
{
    PictPixels pixels;
    if (picture.kind == PictBitmapKind::kPixMap) {
        pixels.palette = ReadPictColourTable(bytes);
        ReadPictRect(bytes);
        ReadPictRect(bytes);
        bytes.Skip(2);  // transfer mode
    } else if (picture.kind == PictBitmapKind::kBitmap) {
        pixels.palette = {MakePaletteEntry(255, 255, 255), MakePaletteEntry(0, 0, 0)};
    }
    if (picture.withRegion)
        SkipRegion(bytes);
    pixels.rows = ReadPictRows(bytes, PictRowsOf(picture));
    return pixels;
}

PictPicture ReadPicture(CFileBytes& bytes, CZAVImg& image)
{
    const int version = ReadPictVersion(bytes);
    return WalkPictOpcodes(bytes, version, image);
}

int ImageDepth(const PictPicture& picture)
{
    return picture.bits == 32 ? 24 : 8;
}

}  // namespace

int CPICTDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    CFileBytes bytes(file);
    const PictPicture picture = ReadPicture(bytes, *GetImage());
    if (info) {
        *info = FilterImageInfo{};
        info->width = picture.width;
        info->height = picture.height;
        info->bitsPerPixel = ImageDepth(picture);
        info->dpiX = picture.pixMap.hRes;
        info->dpiY = picture.pixMap.vRes;
    }
    return 1;
}

int CPICTDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    CFileBytes bytes(file);
    CZAVImg& image = *GetImage();
    const PictPicture picture = ReadPicture(bytes, image);
    const int imageDepth = ImageDepth(picture);
    if (depth)
        *depth = imageDepth;
    const PictPixels pixels = DecodePixels(bytes, picture);
    image.SetResolution(picture.pixMap.hRes, picture.pixMap.vRes, kResolutionUnitInch);
    if (!image.Create(picture.width, picture.height, imageDepth))
        ThrowError(kCodeMemory, image.GetErrorText().GetText());
    image.SetResolution(picture.pixMap.hRes, picture.pixMap.vRes, kResolutionUnitInch);
    const size_t size = static_cast<size_t>(image.GetImageSize());
    if (pixels.rows.size() < size)
        ThrowTextException("Invalid imagedata size!");
    std::memcpy(image.GetImageData(), pixels.rows.data(), size);
    if (imageDepth == 8 && !pixels.palette.empty()) {
        image.GetPalette().Create(8);
        image.GetPalette().SetEntries(pixels.palette.data(), static_cast<int>(pixels.palette.size()));
    }
    image.CreateDefaultPalette();
    return 1;
}

}  // namespace ZAV
