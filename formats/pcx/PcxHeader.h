// The 128-byte PCX header (ZSoft PCX Technical Reference, "Header"), read
// and written field by field, little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

class CFileBytes;
class CZAVImg;
class IDataSource;

constexpr size_t kPcxHeaderBytes = 128;
constexpr uint8_t kPcxManufacturer = 10;
constexpr uint8_t kPcxRunLengthEncoding = 1;
constexpr int kPcxHeaderPaletteEntries = 16;

struct PcxHeader {
    uint8_t manufacturer = 0;
    uint8_t version = 0;
    uint8_t encoding = 0;
    uint8_t bitsPerPixel = 0;
    uint16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    uint16_t hDpi = 0, vDpi = 0;
    uint8_t palette16[3 * kPcxHeaderPaletteEntries] = {};
    uint8_t reserved = 0;
    uint8_t planes = 0;
    uint16_t bytesPerLine = 0;
    uint16_t paletteInfo = 0;

    bool IsPcx() const { return manufacturer == kPcxManufacturer && encoding == kPcxRunLengthEncoding; }
    int Width() const { return int(xMax) - int(xMin) + 1; }
    int Height() const { return int(yMax) - int(yMin) + 1; }
    // Bytes one decoded row takes over all planes.
    int64_t ScanlineBytes() const { return int64_t(bytesPerLine) * planes; }
};

PcxHeader ReadPcxHeader(CFileBytes& bytes);
// The header from the source's position; the end-of-data text when the
// source holds fewer than 128 bytes.
PcxHeader ReadPcxHeader(IDataSource& source);
void WritePcxHeader(IDataSource& target, const PcxHeader& header);

// TYPE, WIDTH, HEIGHT, COLORDEPTH, CHANNELS, DPIX, DPIY and COMPRESSION.
void ReportPcxFacts(CZAVImg& image, const PcxHeader& header);

}  // namespace ZAV
