// Channel data of a Photoshop document: raw or PackBits rows (compression
// 0 or 1), each plane written into its byte of interleaved pixels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

class CFileBytes;

// Where one plane's rows go: rows x bytesPerRow samples, sample i of row y
// at base[(y * bytesPerRow + i) * stride].
struct PsdPlaneTarget {
    uint8_t* base = nullptr;
    size_t bytesPerRow = 0;
    size_t rows = 0;
    size_t stride = 1;
};

// Decodes one PackBits row into the row's samples: a run past the row's end
// or counted bytes that end inside a run fail with "Error decoding RLE!".
void DecodePsdPackBitsRow(const uint8_t* codes, size_t count, uint8_t* row, size_t samples, size_t stride);

// The compression word: 0 raw, 1 run length, anything else refused with
// "Decoding PSD: Illegal compression value.".
uint16_t ReadPsdCompression(CFileBytes& cursor);

// Raw rows of one plane.
void ReadPsdRawPlane(CFileBytes& cursor, const PsdPlaneTarget& target);

// Run-length rows of one plane whose row byte counts are given.
void ReadPsdPackBitsPlane(CFileBytes& cursor, const PsdPlaneTarget& target, const uint16_t* rowCounts);

}  // namespace ZAV
