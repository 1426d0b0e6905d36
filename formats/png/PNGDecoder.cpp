#include "formats/png/PNGDecoder.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/png/PngReader.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kReadErrorCode = 2;
constexpr int kImageErrorCode = 10;
constexpr unsigned char kSignatureStart[4] = {0x89, 'P', 'N', 'G'};
// pHYs unit 1 is the metre.
constexpr int kPhysUnitMetre = 1;

const char* SubtypeOf(const PngHeader& header)
{
    switch (header.colorType) {
    case PNG_COLOR_TYPE_GRAY:
        return header.bitDepth == 1 ? "Black&White" : "Gray";
    case PNG_COLOR_TYPE_RGB:
        return "RGB";
    case PNG_COLOR_TYPE_PALETTE:
        if (header.bitDepth == 1)
            return "Palette Black&White";
        return header.bitDepth == 16 ? "Palette 16bit" : "Palette";
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return "Gray Alpha";
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return "RGB Alpha";
    default:
        return "";
    }
}

std::string ResolutionText(uint32_t value, int unit)
{
    char text[48];
    std::snprintf(text, sizeof(text), "%d%s", static_cast<int>(value), unit == kPhysUnitMetre ? "pixels/meter" : "");
    return text;
}

// The unit the image's resolution conversion takes: dots per metre, or 0
// (the screen's resolution) for an aspect ratio.
int ImageResolutionUnit(const PngHeader& header)
{
    return header.resolutionUnit == kPhysUnitMetre ? kResolutionUnitMetre : 0;
}

// The image depth a colour type and bit depth load as.
int ImageDepthOf(const PngHeader& header)
{
    if (header.colorType == PNG_COLOR_TYPE_GRAY || header.colorType == PNG_COLOR_TYPE_PALETTE)
        return header.bitDepth == 1 ? 1 : 8;
    return 24;
}

bool HasAlpha(const PngHeader& header)
{
    return (header.colorType & PNG_COLOR_MASK_ALPHA) != 0;
}

// Sets libpng's transformations; returns the number of passes.
int SetTransformations(CPngReader& reader, const PngHeader& header, int depth)
{
    if (header.bitDepth == 16)
        reader.StripTo8Bits();
    if (header.bitDepth < 8 && depth == 8) {
        reader.UnpackPixels();
        if (header.colorType == PNG_COLOR_TYPE_GRAY)
            reader.ExpandGrayTo8Bits();
    }
    if (header.colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        reader.ExpandGrayToRgb();
    return reader.HandleInterlace();
}

// Bytes libpng must hand over per row for the image's depth.
size_t ExpectedRowBytes(uint32_t width, int depth, bool alpha)
{
    if (depth == 1)
        return (static_cast<size_t>(width) + 7) / 8;
    return static_cast<size_t>(width) * (depth == 8 ? 1 : (alpha ? 4 : 3));
}

std::vector<uint32_t> GrayPalette(int depth)
{
    const int count = 1 << depth;
    std::vector<uint32_t> entries(count);
    for (int i = 0; i < count; ++i) {
        const BYTE level = static_cast<BYTE>(i * 255 / (count - 1));
        entries[i] = MakePaletteEntry(level, level, level);
    }
    return entries;
}

std::vector<uint32_t> FilePalette(CPngReader& reader, int depth)
{
    std::vector<uint32_t> entries(static_cast<size_t>(1) << depth, 0);
    png_colorp colors = nullptr;
    int count = 0;
    reader.GetPalette(colors, count);
    for (int i = 0; i < count && i < static_cast<int>(entries.size()); ++i)
        entries[i] = MakePaletteEntry(colors[i].red, colors[i].green, colors[i].blue);
    return entries;
}

// Red, green, blue to the pixel row and alpha to the mask row.
void SplitAlpha(const BYTE* rgba, BYTE* pixels, BYTE* mask, int width)
{
    for (int x = 0; x < width; ++x, rgba += 4) {
        pixels[3 * x] = rgba[0];
        pixels[3 * x + 1] = rgba[1];
        pixels[3 * x + 2] = rgba[2];
        mask[x] = rgba[3];
    }
}

}  // namespace

CPNGDecoder::~CPNGDecoder() = default;

int CPNGDecoder::DoIsFileFormat(IDataSource* source)
{
    try {
        size_t count = sizeof(kSignatureStart);
        const unsigned char* bytes = source->ReadAvailable(count);
        return count == sizeof(kSignatureStart) && std::memcmp(bytes, kSignatureStart, count) == 0;
    } catch (const CTextException&) {
        return 0;
    }
}

PngHeader CPNGDecoder::ReadHeader(CPngReader& reader)
{
    const PngHeader header = reader.ReadHeader();
    CNameVariantPairs* list = GetImage()->GetImageInfo();
    if (list) {
        list->SetString("TYPE", "Portable Network Graphics (PNG)");
        list->SetInt("WIDTH", static_cast<int32_t>(header.width));
        list->SetInt("HEIGHT", static_cast<int32_t>(header.height));
        list->SetInt("COLORDEPTH", header.bitDepth);
        list->SetString("SUBTYPE", SubtypeOf(header));
        list->SetString("DPIX", ResolutionText(header.resolutionX, header.resolutionUnit));
        list->SetString("DPIY", ResolutionText(header.resolutionY, header.resolutionUnit));
    }
    return header;
}

int CPNGDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    CPngReader reader(source);
    const PngHeader header = ReadHeader(reader);
    if (info) {
        info->width = static_cast<int32_t>(header.width);
        info->height = static_cast<int32_t>(header.height);
        info->bitsPerPixel = header.bitDepth;
        CZAVImgBase::ConvertResolution(static_cast<int>(header.resolutionX), static_cast<int>(header.resolutionY),
                                       ImageResolutionUnit(header), info->dpiX, info->dpiY);
    }
    return 1;
}

void CPNGDecoder::CheckImageData(IDataSource* source, CPngReader& reader, const PngHeader& header)
{
    uint64_t remaining = 0;
    if (!GetSourceRemaining(source, remaining))
        return;
    // In floating point: width x height x bits may pass 64 bits.
    const double bitsPerPixel = static_cast<double>(reader.GetChannels()) * header.bitDepth;
    const double leastRowData = static_cast<double>(header.width) * header.height * bitsPerPixel / 8;
    if (leastRowData / kMaxDeflateExpansion > static_cast<double>(remaining + kPngChunkAllowance)) {
        SetCodecErrorText("Not enough image data");
        ThrowError(kReadErrorCode, "Not enough image data");
    }
}

void CPNGDecoder::CreateImage(const PngHeader& header, int depth, bool alpha, CPngReader& reader)
{
    CZAVImg* image = GetImage();
    if (!image->Create(static_cast<int>(header.width), static_cast<int>(header.height), depth))
        ThrowError(kImageErrorCode, image->GetErrorText().GetText());
    if (depth < 24) {
        const std::vector<uint32_t> entries =
            header.colorType == PNG_COLOR_TYPE_PALETTE ? FilePalette(reader, depth) : GrayPalette(depth);
        image->GetPalette().Assign(entries.data(), static_cast<int>(entries.size()));
    }
    if (alpha) {
        const int64_t maskSize = static_cast<int64_t>(header.width) * header.height;
        HGLOBAL mask = GlobalAlloc(GPTR, static_cast<size_t>(maskSize));
        if (!mask)
            ThrowError(kImageErrorCode, "Out of memory for mask.");
        if (!image->SetMask(mask, maskSize)) {
            GlobalFree(mask);
            ThrowError(kImageErrorCode, image->GetErrorText().GetText());
        }
    }
    image->SetResolution(static_cast<int>(header.resolutionX), static_cast<int>(header.resolutionY),
                         ImageResolutionUnit(header));
}

void CPNGDecoder::ReadRows(CPngReader& reader, int passes, bool alpha)
{
    CZAVImg* image = GetImage();
    const int width = image->GetWidth();
    const int height = image->GetHeight();
    BYTE** lines = image->GetLineArray();
    // With alpha the rows arrive as RGBA: a staging row, or the whole
    // picture when passes add to rows read before.
    std::vector<BYTE> staging;
    if (alpha) {
        const int64_t stagingBytes = static_cast<int64_t>(width) * 4 * (passes > 1 ? height : 1);
        if (!IsWithinImageCeiling(stagingBytes))
            ThrowError(kImageErrorCode, "Invalid Size!");
        staging.resize(static_cast<size_t>(stagingBytes));
    }
    BYTE* mask = alpha ? static_cast<BYTE*>(image->GetMask()) : nullptr;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) {
            if (!alpha) {
                reader.ReadRow(lines[y]);
                continue;
            }
            BYTE* rgba = staging.data() + (passes > 1 ? static_cast<size_t>(y) * width * 4 : 0);
            reader.ReadRow(rgba);
            if (pass == passes - 1)
                SplitAlpha(rgba, lines[y], mask + static_cast<size_t>(y) * width, width);
        }
    }
}

int CPNGDecoder::DoLoadPicture(IDataSource* source, int*)
{
    CPngReader reader(source);
    const PngHeader header = ReadHeader(reader);
    const int depth = ImageDepthOf(header);
    const bool alpha = HasAlpha(header);
    CheckImageData(source, reader, header);
    const int passes = SetTransformations(reader, header, depth);
    if (reader.UpdateRowLayout() != ExpectedRowBytes(header.width, depth, alpha))
        ThrowError(kReadErrorCode, "Unsupported PNG pixel layout!");
    CreateImage(header, depth, alpha, reader);
    ReadRows(reader, passes, alpha);
    reader.ReadEnd();
    return 1;
}

}  // namespace ZAV
