#include "formats/tga/TGADecoder.h"

#include "formats/codec/FileBytes.h"
#include "formats/tga/TgaColourMap.h"
#include "formats/tga/TgaHeader.h"
#include "formats/tga/TgaPixels.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 2;
constexpr int kCodeMemory = 10;
constexpr int kMaxPixelDepth = 32;

// 0 for a depth no row reader handles.
int ImageDepthOf(const TgaHeader& h)
{
    const int bits = h.pixelDepth;
    if (bits == 1)
        return 1;
    if (bits <= 8)
        return 8;
    if (bits == 15 || bits == 16 || bits == 24 || bits == 32)
        return 24;
    return 0;
}

bool HasAlpha(const TgaHeader& h)
{
    return h.pixelDepth == 16 || h.pixelDepth == 32;
}

int CheckedImageDepth(const TgaHeader& h)
{
    const int depth = ImageDepthOf(h);
    // Run-length packets count pixels, which packed 1-bit rows have no
    // whole bytes for.
    if (depth == 0 || (depth == 1 && h.IsRunLength()))
        CPicDecoder::ThrowError(kCodeFormat, "Can't handle bits per pixel.");
    if (!h.IsKnownType())
        CPicDecoder::ThrowError(kCodeFormat, "Unknown TGA image type.");
    return depth;
}

void SetPalette(CZAVImg& image, const TgaHeader& h, const std::vector<uint32_t>& map)
{
    CImagePalette& palette = image.GetPalette();
    if (image.GetBitsPerPixel() == 1)
        palette.CreateBlackWhite();
    else if (image.GetBitsPerPixel() != 8)
        return;
    else if (h.imageType == kTgaBlackWhite || h.imageType == kTgaRleBlackWhite)
        palette.CreateGrayScale();
    else if (!map.empty())
        palette.Assign(map.data(), static_cast<int>(map.size()));
}

}  // namespace

void CTGADecoder::CreateImage(const TgaHeader& header, int imageDepth)
{
    CZAVImg& image = *GetImage();
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (!image.Create(header.width, header.height, imageDepth))
        ThrowError(kCodeMemory, image.GetErrorText().GetText());
    if (!HasAlpha(header) || imageDepth != 24)
        return;
    const int64_t size = int64_t(header.width) * header.height;
    HGLOBAL mask = GlobalAlloc(GPTR, static_cast<size_t>(size));
    if (!mask)
        ThrowError(kCodeMemory, "Out of memory for mask.");
    if (!image.SetMask(mask, size)) {
        GlobalFree(mask);
        ThrowError(kCodeMemory, "Out of memory for mask.");
    }
}

int CTGADecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    if (!source)
        ThrowError(kCodeFormat, "Unknown TGA image type.");
    CFileBytes head(source->ReadBlock(kTgaHeaderBytes), kTgaHeaderBytes);
    const TgaHeader header = ReadTgaHeader(head, *GetImage());
    if (header.pixelDepth > kMaxPixelDepth || !header.IsKnownType())
        return 0;
    if (info) {
        *info = FilterImageInfo{};
        info->width = header.width;
        info->height = header.height;
        info->bitsPerPixel = header.pixelDepth;
        CZAVImgBase::ConvertResolution(0, 0, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CTGADecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    CFileBytes bytes(file);
    CZAVImg& image = *GetImage();
    const TgaHeader header = ReadTgaHeader(bytes, image);
    const int imageDepth = CheckedImageDepth(header);
    std::vector<uint32_t> map;
    if (header.colourMapType != 0)
        map = ReadTgaColourMap(bytes, header);
    if (MinTgaPixelBytes(header) > bytes.Remaining())
        CFileBytes::ThrowEndOfData();
    CreateImage(header, imageDepth);
    SetPalette(image, header, map);
    TgaTarget target;
    target.rows = image.GetLineArray();
    target.mask = static_cast<uint8_t*>(image.GetMask());
    target.width = header.width;
    target.height = header.height;
    target.imageDepth = imageDepth;
    DecodeTgaPixels(bytes, header, target);
    if (depth)
        *depth = imageDepth;
    return 1;
}

}  // namespace ZAV
