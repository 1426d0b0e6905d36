// TGA pixel data into image rows: colours of 15, 16, 24 and 32 bits,
// colour-map indices and grey bytes, packed 1-bit rows, raw or run-length
// coded, in either row order. Alpha goes to the mask rows.
#pragma once

#include "formats/tga/TgaHeader.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CFileBytes;

struct TgaColor {
    uint8_t red = 0, green = 0, blue = 0, alpha = 255;
};

// A colour of 15, 16, 24 or 32 bits. 16-bit colours take alpha from the
// attribute bit only when the descriptor announces attribute bits.
TgaColor ReadTgaColor(CFileBytes& bytes, int bits, bool attributeAlpha);

// Where decoded pixels go: image rows top-down, mask rows beside them.
struct TgaTarget {
    uint8_t** rows = nullptr;
    uint8_t* mask = nullptr;
    int width = 0;
    int height = 0;
    int imageDepth = 0;  // 1, 8 or 24
};

// Decodes every pixel of the picture. Run-length packets go on across row
// ends and stop at the last row.
void DecodeTgaPixels(CFileBytes& bytes, const TgaHeader& header, const TgaTarget& target);

// The fewest file bytes the pixel data of the header can take, so a file
// that cannot hold its pixels is refused before the image is made.
uint64_t MinTgaPixelBytes(const TgaHeader& header);

}  // namespace ZAV
