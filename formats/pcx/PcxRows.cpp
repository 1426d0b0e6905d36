#include "formats/pcx/PcxRows.h"

#include "formats/codec/PicDecoder.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeRow = 7;
constexpr int kMaxBitPlanes = 4;

// 1, 2, 4 or 8 bits a pixel in one plane, most significant bits first.
void SinglePlane(int bits, const uint8_t* plane, int width, uint8_t* row)
{
    if (bits == 8) {
        std::memcpy(row, plane, static_cast<size_t>(width));
        return;
    }
    if (bits == 1) {
        std::memcpy(row, plane, static_cast<size_t>((width + 7) / 8));
        return;
    }
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        row[x] = static_cast<uint8_t>((plane[x / perByte] >> shift) & mask);
    }
}

void ThreeBytePlanes(const uint8_t* scanline, int bytesPerLine, int width, uint8_t* row)
{
    for (int x = 0; x < width; ++x)
        for (int p = 0; p < 3; ++p)
            row[3 * x + p] = scanline[p * bytesPerLine + x];
}

// Bit p of a pixel's index comes from plane p.
void BitPlanes(const uint8_t* scanline, int bytesPerLine, int planes, int width, uint8_t* row)
{
    for (int x = 0; x < width; ++x) {
        uint8_t index = 0;
        for (int p = 0; p < planes; ++p)
            if (scanline[p * bytesPerLine + x / 8] & (0x80 >> (x % 8)))
                index = static_cast<uint8_t>(index | (1 << p));
        row[x] = index;
    }
}

}  // namespace

void ConvertPcxRow(const PcxHeader& header, const uint8_t* scanline, int width, uint8_t* row)
{
    const int bits = header.bitsPerPixel;
    const int planes = header.planes;
    if (planes == 1)
        SinglePlane(bits, scanline, width, row);
    else if (bits == 8 && planes == 3)
        ThreeBytePlanes(scanline, header.bytesPerLine, width, row);
    else if (bits != 1)
        CPicDecoder::ThrowError(kCodeRow, "Can't handle more than 1 bit per pixel.");
    else if (planes > kMaxBitPlanes)
        CPicDecoder::ThrowError(kCodeRow, "Can't handle more than 4 planes.");
    else
        BitPlanes(scanline, header.bytesPerLine, planes, width, row);
}

}  // namespace ZAV
