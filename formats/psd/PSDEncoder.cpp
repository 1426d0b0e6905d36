#include "formats/psd/PSDEncoder.h"

#include "formats/codec/CodecDataSource.h"
#include "foundation/datasource/IDataSource.h"
#include "image/core/GlobalMemBlock.h"
#include "image/object/ZAVImg.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeMemory = 10;
constexpr int kCodeDepth = 16;
constexpr int kCodeParameter = 19;
constexpr int kModeBitmap = 0;
constexpr int kModeGrey = 1;
constexpr int kModeIndexed = 2;
constexpr int kModeRgb = 3;
// Readers expect the whole 256-entry table of an indexed document.
constexpr int kTableEntries = 256;

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Every write is checked: a sink that fails fails the save.
void Write(IDataSource& target, const void* data, size_t size)
{
    if (size)
        target.WriteChecked(data, size);
}

void Write(IDataSource& target, const std::vector<uint8_t>& bytes)
{
    Write(target, bytes.data(), bytes.size());
}

}  // namespace

void CPSDEncoder::WriteHeader(IDataSource& target, int channels, int depth, int mode)
{
    const CZAVImg& image = *GetImage();
    std::vector<uint8_t> header = {'8', 'B', 'P', 'S'};
    PutBig(header, 1, 2);
    header.insert(header.end(), 6, 0);
    PutBig(header, static_cast<uint32_t>(channels), 2);
    PutBig(header, static_cast<uint32_t>(image.GetHeight()), 4);
    PutBig(header, static_cast<uint32_t>(image.GetWidth()), 4);
    PutBig(header, static_cast<uint32_t>(depth), 2);
    PutBig(header, static_cast<uint32_t>(mode), 2);
    Write(target, header);
}

void CPSDEncoder::WriteColourModeData(IDataSource& target)
{
    const CZAVImg& image = *GetImage();
    std::vector<uint8_t> data;
    if (image.GetBitsPerPixel() != 8) {
        PutBig(data, 0, 4);
        Write(target, data);
        return;
    }
    PutBig(data, 3 * kTableEntries, 4);
    const CImagePalette& palette = image.GetPalette();
    std::vector<uint8_t> planes(3 * kTableEntries, 0);
    for (int i = 0; i < std::min(kTableEntries, palette.GetCount()); ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        planes[i] = PaletteRed(entry);
        planes[kTableEntries + i] = PaletteGreen(entry);
        planes[2 * kTableEntries + i] = PaletteBlue(entry);
    }
    data.insert(data.end(), planes.begin(), planes.end());
    Write(target, data);
}

// A set bit is black in the file: a palette whose entry 0 is the darker
// one has its bits inverted on the way out.
void CPSDEncoder::WriteBitmapRows(IDataSource& target)
{
    CZAVImg& image = *GetImage();
    uint32_t first = 0;
    uint32_t second = 0;
    image.GetPalette().GetEntry(0, first);
    image.GetPalette().GetEntry(1, second);
    const bool invert = CImagePalette::GetLuminance(first) <= CImagePalette::GetLuminance(second);
    std::vector<uint8_t> row;
    try {
        row.resize(static_cast<size_t>(image.GetBytesPerLine()));
    } catch (const std::bad_alloc&) {
        ThrowError(kCodeMemory, "Out of memory!");
    }
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = invert ? static_cast<uint8_t>(~lines[y][i]) : lines[y][i];
        Write(target, row);
    }
}

void CPSDEncoder::WritePlanes(IDataSource& target)
{
    CZAVImg& image = *GetImage();
    BYTE** lines = image.GetLineArray();
    std::vector<uint8_t> row(static_cast<size_t>(image.GetWidth()));
    for (int plane = 0; plane < 3; ++plane) {
        for (int y = 0; y < image.GetHeight(); ++y) {
            for (int x = 0; x < image.GetWidth(); ++x)
                row[static_cast<size_t>(x)] = lines[y][3 * x + plane];
            Write(target, row);
        }
        ReportSourceProgress(&target, (plane + 1) / 3.0);
    }
}

int CPSDEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* image = GetImage();
    if (!target || !image)
        ThrowError(kCodeParameter, "Invalid parameter!");
    const int bits = image->GetBitsPerPixel();
    if (bits != 1 && bits != 8 && bits != 24)
        ThrowError(kCodeDepth, "Invalid destination bitdepth.");
    if (!image->HasImage() || !image->GetLineArray())
        ThrowError(kCodeParameter, "Invalid parameter!");
    const int mode = bits == 1                           ? kModeBitmap
                     : bits == 24                        ? kModeRgb
                     : image->GetPalette().IsGrayScale() ? kModeGrey
                                                         : kModeIndexed;
    WriteHeader(*target, bits == 24 ? 3 : 1, bits == 1 ? 1 : 8, mode);
    WriteColourModeData(*target);
    const uint8_t sections[10] = {0};  // resources, layers (lengths 0), compression 0
    Write(*target, sections, sizeof sections);
    if (bits == 1) {
        WriteBitmapRows(*target);
    } else if (bits == 8) {
        BYTE** lines = image->GetLineArray();
        for (int y = 0; y < image->GetHeight(); ++y)
            Write(*target, lines[y], static_cast<size_t>(image->GetBytesPerLine()));
    } else {
        WritePlanes(*target);
    }
    const uint32_t length = static_cast<uint32_t>(GetSourceLength(target, 0));
    if (bytesWritten)
        *bytesWritten = length;
    return length;
}

}  // namespace ZAV
