// The images of an icon or cursor file: the directory (reserved, type,
// count, then 16-byte entries), each entry's bytes located in the file and
// what its bitmap header says, and the rule that picks the one to decode.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

struct IconImage {
    const uint8_t* bytes = nullptr;  // the entry's bytes in resource, inside the file
    size_t size = 0;
    BITMAPINFOHEADER header{};  // as stored, height covering both bitmaps
    int width = 0;
    int height = 0;               // one bitmap's rows
    int64_t depth = 0;            // planes x bit count
    size_t colourBitsOffset = 0;  // header and colour table
    size_t colourBitsSize = 0;
    size_t maskBitsOffset = 0;
    size_t maskBitsSize = 0;
};

struct IconImageSet {
    uint16_t type = 0;
    std::vector<IconImage> images;
};

// Reads the directory and every entry of the file. The type must be 1 for
// an icon, 2 for a cursor (code 1); entries outside the file are refused
// ("Error Seeking in File"), entries without a readable bitmap header
// (PNG-compressed ones among them) with "Error Converting to Internal
// Format!" (code 10).
IconImageSet ReadIconImageSet(const std::vector<uint8_t>& file, bool icon);

// The widest, then deepest image, a later one winning a tie; -1 for none.
int PickIconImage(const IconImageSet& set);

// Refuses an image whose colour table, colour bits or mask bits reach past
// its bytes ("Decoding Icon: Invalid Icondata.", code 2).
void CheckIconImageBounds(const IconImage& image);

}  // namespace ZAV
