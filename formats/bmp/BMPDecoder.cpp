#include "formats/bmp/BMPDecoder.h"

#include "formats/FormatLimits.h"
#include "formats/bmp/BmpPixels.h"
#include "formats/codec/FileFacts.h"
#include "formats/codec/CodecDataSource.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <string>

namespace ZAV {

namespace {

constexpr int kCodeNoSource = 1;

std::string PixelsPerMetre(int32_t value)
{
    return std::to_string(value) + "ppm";
}

void ReportFacts(CZAVImg& image, const BmpLayout& layout)
{
    CFileFacts facts(image);
    const BITMAPINFOHEADER& h = layout.header;
    facts.SetText("TYPE", "Windows Bitmap (BMP)");
    if (layout.subType)
        facts.SetText("SUBTYPE", layout.subType);
    facts.SetText("COMPRESSION", h.biCompression == BI_RGB ? "RGB" : "RLE");
    facts.SetInt("WIDTH", layout.width);
    facts.SetInt("HEIGHT", layout.rows);
    facts.SetInt("COLORDEPTH", h.biBitCount);
    facts.SetInt("CHANNELS", h.biPlanes);
    facts.SetText("DPIX", PixelsPerMetre(h.biXPelsPerMeter));
    facts.SetText("DPIY", PixelsPerMetre(h.biYPelsPerMeter));
}

}  // namespace

BmpLayout CBMPDecoder::ReadHeaders(IDataSource* source, std::vector<uint8_t>& file)
{
    if (!source)
        ThrowError(kCodeNoSource, "Bitmap decoder: This isn't a bitmap.");
    file = ReadSourceBytes(*source, kMaxCodecSourceBytes);
    const BmpLayout layout = ReadBmpLayout(file);
    ReportFacts(*GetImage(), layout);
    return layout;
}

int CBMPDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    std::vector<uint8_t> file;
    const BmpLayout layout = ReadHeaders(source, file);
    const int depth = BmpImageDepth(layout.header.biBitCount);
    GetImage()->SetResolution(layout.header.biXPelsPerMeter, layout.header.biYPelsPerMeter, kResolutionUnitMetre);
    if (info) {
        *info = FilterImageInfo{};
        info->width = layout.width;
        info->height = layout.rows;
        info->bitsPerPixel = depth;
    }
    return 1;
}

int CBMPDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    std::vector<uint8_t> file;
    const BmpLayout layout = ReadHeaders(source, file);
    const int imageDepth = BmpImageDepth(layout.header.biBitCount);
    BmpPixels pixels;
    DecodeBmpPixels(file, layout, imageDepth, pixels);
    file.clear();
    file.shrink_to_fit();
    CZAVImg& image = *GetImage();
    image.Attach(pixels.rows, pixels.size, layout.width, layout.rows, imageDepth);
    if (imageDepth <= 8)
        image.GetPalette().SetEntries(pixels.palette, std::min(pixels.paletteCount, image.GetPalette().GetCount()));
    image.SetResolution(layout.header.biXPelsPerMeter, layout.header.biYPelsPerMeter, kResolutionUnitMetre);
    if (depth)
        *depth = imageDepth;
    return 1;
}

}  // namespace ZAV
