#include "formats/pcx/PCXDecoder.h"

#include "formats/FormatLimits.h"
#include "formats/codec/FileBytes.h"
#include "formats/pcx/PcxLayout.h"
#include "formats/pcx/PcxRows.h"
#include "formats/pcx/PcxRunReader.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeNotPcx = 1;
constexpr int kCodeSize = 2;
constexpr int kCodePalette = 7;
constexpr int kCodeMemory = 10;
constexpr uint8_t kPaletteMarker = 12;
constexpr size_t kTrailingPaletteBytes = 768;
// The marker and the 768 palette bytes at the end of the file.
constexpr size_t kTrailingPaletteTail = 1 + kTrailingPaletteBytes;

PcxHeader ReadCheckedHeader(CFileBytes& bytes, CZAVImg& image)
{
    const PcxHeader header = ReadPcxHeader(bytes);
    ReportPcxFacts(image, header);
    if (header.manufacturer != kPcxManufacturer)
        CPicDecoder::ThrowError(kCodeNotPcx, "Error decoding pcx: Not a PCX file.");
    if (header.encoding != kPcxRunLengthEncoding)
        CPicDecoder::ThrowError(kCodeNotPcx, "File has unknown encoding scheme.");
    return header;
}

// The unpacked buffer, had only when the stream could fill it.
std::vector<uint8_t> UnpackedBuffer(const PcxHeader& header, const PcxLayout& layout, size_t streamBytes)
{
    const int64_t size = header.ScanlineBytes() * layout.height;
    if (!IsWithinImageCeiling(size))
        CPicDecoder::ThrowError(kCodeSize, "Error decoding pcx: Invalid image size.");
    if (static_cast<uint64_t>(size) > MaxPcxUnpackedBytes(streamBytes))
        CFileBytes::ThrowEndOfData();
    return std::vector<uint8_t>(static_cast<size_t>(size));
}

// The marker right behind the data, else 769 bytes from the end.
const uint8_t* TrailingPalette(CFileBytes& bytes)
{
    if (bytes.Has(kTrailingPaletteTail) && bytes.Data()[bytes.Position()] == kPaletteMarker)
        return bytes.Data() + bytes.Position() + 1;
    if (bytes.Size() < kTrailingPaletteTail || bytes.Data()[bytes.Size() - kTrailingPaletteTail] != kPaletteMarker)
        CPicDecoder::ThrowError(kCodePalette, "bad color map signature.");
    return bytes.Data() + bytes.Size() - kTrailingPaletteBytes;
}

void SetRgbEntries(CImagePalette& palette, const uint8_t* rgb, int count)
{
    for (int i = 0; i < count; ++i)
        palette.SetEntry(i, MakePaletteEntry(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
}

void FillPalette(CZAVImg& image, const PcxHeader& header, PcxPaletteSource source, CFileBytes& bytes)
{
    CImagePalette& palette = image.GetPalette();
    if (source == PcxPaletteSource::kNone)
        return;
    if (source == PcxPaletteSource::kBlackWhite) {
        palette.CreateBlackWhite();
        return;
    }
    const uint8_t* rgb = source == PcxPaletteSource::kHeader16 ? header.palette16 : TrailingPalette(bytes);
    palette.Create(8);
    SetRgbEntries(palette, rgb, source == PcxPaletteSource::kHeader16 ? kPcxHeaderPaletteEntries : 256);
}

void CreateImage(CZAVImg& image, const PcxHeader& header, const PcxLayout& layout)
{
    if (!image.Create(layout.width, layout.height, layout.imageDepth))
        CPicDecoder::ThrowError(kCodeMemory, image.GetErrorText().GetText());
    image.SetResolution(header.hDpi, header.vDpi, kResolutionUnitInch);
}

}  // namespace

int CPCXDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    if (!source)
        ThrowError(kCodeNotPcx, "Error decoding pcx: Not a PCX file.");
    const PcxHeader header = ReadPcxHeader(*source);
    ReportPcxFacts(*GetImage(), header);
    if (!header.IsPcx())
        return 0;
    const PcxLayout layout = ChoosePcxLayout(header);
    if (info) {
        *info = FilterImageInfo{};
        info->width = layout.width;
        info->height = layout.height;
        info->bitsPerPixel = header.bitsPerPixel * header.planes;
        CZAVImgBase::ConvertResolution(header.hDpi, header.vDpi, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CPCXDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    CFileBytes bytes(file);
    CZAVImg& image = *GetImage();
    const PcxHeader header = ReadCheckedHeader(bytes, image);
    const PcxLayout layout = ChoosePcxLayout(header);
    std::vector<uint8_t> unpacked = UnpackedBuffer(header, layout, bytes.Remaining());
    CreateImage(image, header, layout);
    ReadPcxRuns(bytes, unpacked);
    FillPalette(image, header, layout.palette, bytes);
    BYTE** lines = image.GetLineArray();
    const size_t scanline = static_cast<size_t>(header.ScanlineBytes());
    for (int y = 0; y < layout.height; ++y)
        ConvertPcxRow(header, unpacked.data() + scanline * y, layout.width, lines[y]);
    if (depth)
        *depth = layout.imageDepth;
    return 1;
}

}  // namespace ZAV
