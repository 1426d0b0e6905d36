// The pixel rows of a PICT bitmap (Inside Macintosh: Imaging With
// QuickDraw, "PackBits" and "PixMap"): each row unpacked from PackBits
// data, or stored as it is when a row is shorter than 8 bytes, then
// expanded to one palette index or three colour bytes a pixel.
#pragma once

#include "formats/pict/PictPicture.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CFileBytes;

struct PictRowLayout {
    int width = 0;
    int height = 0;
    int pixelSize = 0;       // bits a pixel: 1, 2, 4, 8, 16 or 32
    int componentCount = 0;  // planes of 32-bit rows
    int rowLength = 0;       // unpacked bytes a row
    // The row bytes of the bitmap's opcode, which decide how rows are
    // stored: unpacked below 8, a one-byte packed count up to 250, else two.
    // Direct pixels of 32 bits count 4 bytes a pixel here, though their
    // packed rows hold only the component planes (rowLength).
    int rowBytes = 0;
};

// Row length and pixel size of the picture found; refuses rows too short
// for the width and unknown pixel sizes.
PictRowLayout PictRowsOf(const PictPicture& picture);

// width x height pixels, 1 byte each for pixel sizes up to 8, else 3.
// A run passing the row or its byte count is refused with "Invalid
// imagedata size!".
std::vector<uint8_t> ReadPictRows(CFileBytes& bytes, const PictRowLayout& layout);

}  // namespace ZAV

namespace ZAV {

// Steps over rows without unpacking them (the rows of a pixel pattern).
void SkipPictRows(CFileBytes& bytes, const PictRowLayout& layout);

}  // namespace ZAV
