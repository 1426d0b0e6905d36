#include "formats/tga/TGAEncoder.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/tga/TgaHeader.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kCodeDepth = 25;
constexpr int kCodeWrite = 26;
constexpr int kCodeMask = 31;
constexpr int kPaletteEntries = 256;
constexpr int kMaxSide = 65535;
// Rows top to bottom; with alpha also its 8 attribute bits.
constexpr uint8_t kDescriptorPlain = kTgaTopDown;
constexpr uint8_t kDescriptorAlpha = kTgaTopDown | 8;

void WriteOrFail(IDataSource& target, const void* data, size_t size, const char* text = "TGA write error!")
{
    if (size && !target.Write(data, size))
        CPicEncoder::ThrowError(kCodeWrite, text);
}

void PutLittle16(uint8_t* out, int value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

void CTGAEncoder::WriteHeader(IDataSource& target, bool withMask)
{
    const CZAVImg& image = *GetImage();
    uint8_t header[kTgaHeaderBytes] = {};
    if (image.GetBitsPerPixel() == 8) {
        header[1] = 1;
        header[2] = kTgaMapped;
        PutLittle16(header + 5, kPaletteEntries);
        header[7] = 24;
        header[16] = 8;
        header[17] = kDescriptorPlain;
    } else {
        header[2] = kTgaTrueColour;
        header[16] = withMask ? 32 : 24;
        header[17] = withMask ? kDescriptorAlpha : kDescriptorPlain;
    }
    PutLittle16(header + 12, image.GetWidth());
    PutLittle16(header + 14, image.GetHeight());
    WriteOrFail(target, header, sizeof header);
}

void CTGAEncoder::WriteColourMap(IDataSource& target)
{
    const CImagePalette& palette = GetImage()->GetPalette();
    uint8_t map[3 * kPaletteEntries];
    for (int i = 0; i < kPaletteEntries; ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        map[3 * i] = PaletteBlue(entry);
        map[3 * i + 1] = PaletteGreen(entry);
        map[3 * i + 2] = PaletteRed(entry);
    }
    WriteOrFail(target, map, sizeof map);
}

const uint8_t* CTGAEncoder::BuildRow(int y, const uint8_t* mask)
{
    CZAVImg& image = *GetImage();
    const uint8_t* row = image.GetLineArray()[y];
    const int width = image.GetWidth();
    if (image.GetBitsPerPixel() == 8)
        return row;
    const int size = mask ? 4 : 3;
    for (int x = 0; x < width; ++x) {
        uint8_t* out = m_row.data() + static_cast<size_t>(x) * size;
        out[0] = row[3 * x + 2];
        out[1] = row[3 * x + 1];
        out[2] = row[3 * x];
        if (mask)
            out[3] = mask[static_cast<size_t>(y) * width + x];
    }
    return m_row.data();
}

int CTGAEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg& image = *GetImage();
    const int depth = image.GetBitsPerPixel();
    if (!target || !image.HasImage() || (depth != 8 && depth != 24))
        ThrowError(kCodeDepth, "TGA export requires 8 or 24bpp image!");
    if (image.GetWidth() > kMaxSide || image.GetHeight() > kMaxSide)
        ThrowError(kCodeWrite, "TGA write error! Image too large.");
    if (depth == 8 && image.GetPalette().GetCount() != kPaletteEntries)
        ThrowError(kCodeWrite, "TGA write error! Invalid Palette");
    const uint8_t* mask = depth == 24 ? static_cast<const uint8_t*>(image.GetMask()) : nullptr;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (mask && image.GetMaskSize() != width * height)
        ThrowError(kCodeMask, "Mask has wrong size!");
    WriteHeader(*target, mask != nullptr);
    if (depth == 8)
        WriteColourMap(*target);
    m_row.assign(static_cast<size_t>(width) * 4, 0);
    const size_t rowBytes = depth == 8 ? static_cast<size_t>(width) : static_cast<size_t>(width) * (mask ? 4 : 3);
    for (int y = 0; y < height; ++y) {
        WriteOrFail(*target, BuildRow(y, mask), rowBytes);
        ReportSourceProgress(target, static_cast<double>(y + 1) / height);
    }
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

}  // namespace ZAV
