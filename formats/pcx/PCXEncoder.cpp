#include "formats/pcx/PCXEncoder.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/pcx/PcxHeader.h"
#include "formats/pcx/PcxRunWriter.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeWrite = 27;
constexpr int kCodeMemory = 10;
constexpr uint8_t kVersion5 = 5;
constexpr uint16_t kDefaultDpi = 96;
constexpr uint8_t kPaletteMarker = 12;
constexpr int kPaletteEntries = 256;
// The header's 16-bit fields hold width - 1 and the even bytes per line.
constexpr int kMaxSide = 65534;

void WriteOrFail(IDataSource& target, const void* data, size_t size, const char* text = "PCX write error!")
{
    if (size && !target.Write(data, size))
        CPicEncoder::ThrowError(kCodeWrite, text);
}

}  // namespace

PcxHeader CPCXEncoder::MakeHeader() const
{
    const CZAVImg& image = *GetImage();
    PcxHeader h;
    h.manufacturer = kPcxManufacturer;
    h.version = kVersion5;
    h.encoding = kPcxRunLengthEncoding;
    h.bitsPerPixel = 8;
    h.xMax = static_cast<uint16_t>(image.GetWidth() - 1);
    h.yMax = static_cast<uint16_t>(image.GetHeight() - 1);
    h.hDpi = kDefaultDpi;
    h.vDpi = kDefaultDpi;
    h.planes = image.GetBitsPerPixel() == 24 ? 3 : 1;
    // Rows are kept to an even byte count, as PCX readers expect.
    h.bytesPerLine = static_cast<uint16_t>(image.GetWidth() + (image.GetWidth() & 1));
    h.paletteInfo = 1;
    return h;
}

void CPCXEncoder::BuildScanline(const uint8_t* row, const PcxHeader& header)
{
    std::fill(m_scanline.begin(), m_scanline.end(), 0);
    const int width = GetImage()->GetWidth();
    if (header.planes == 1) {
        std::memcpy(m_scanline.data(), row, static_cast<size_t>(width));
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int p = 0; p < 3; ++p)
            m_scanline[static_cast<size_t>(p) * header.bytesPerLine + x] = row[3 * x + p];
}

void CPCXEncoder::WritePalette(IDataSource& target)
{
    const CImagePalette& palette = GetImage()->GetPalette();
    uint8_t block[1 + 3 * kPaletteEntries];
    block[0] = kPaletteMarker;
    for (int i = 0; i < kPaletteEntries; ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        block[1 + 3 * i] = PaletteRed(entry);
        block[2 + 3 * i] = PaletteGreen(entry);
        block[3 + 3 * i] = PaletteBlue(entry);
    }
    WriteOrFail(target, block, sizeof block);
}

int CPCXEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg& image = *GetImage();
    const int depth = image.GetBitsPerPixel();
    if (!target || !image.HasImage() || (depth != 8 && depth != 24))
        ThrowError(kCodeWrite, "PCX export requires 8 or 24bpp image!");
    if (image.GetWidth() > kMaxSide || image.GetHeight() > kMaxSide)
        ThrowError(kCodeWrite, "PCX write error! Image too large.");
    // Checked before anything is written, so a refused palette leaves no
    // file without its colours.
    if (depth == 8 && image.GetPalette().GetCount() != kPaletteEntries)
        ThrowError(kCodeWrite, "PCX write error! Invalid Palette");
    const PcxHeader header = MakeHeader();
    WritePcxHeader(*target, header);
    try {
        m_scanline.assign(static_cast<size_t>(header.ScanlineBytes()), 0);
    } catch (const std::bad_alloc&) {
        ThrowError(kCodeMemory, "Out of memory allocating scanline buffer.");
    }
    BYTE** lines = image.GetLineArray();
    const int height = image.GetHeight();
    std::vector<uint8_t> coded;
    for (int y = 0; y < height; ++y) {
        BuildScanline(lines[y], header);
        coded.clear();
        for (int p = 0; p < header.planes; ++p)
            AppendPcxRuns(m_scanline.data() + static_cast<size_t>(p) * header.bytesPerLine, header.bytesPerLine, coded);
        WriteOrFail(*target, coded.data(), coded.size());
        ReportSourceProgress(target, static_cast<double>(y + 1) / height);
    }
    if (depth == 8)
        WritePalette(*target);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

}  // namespace ZAV
