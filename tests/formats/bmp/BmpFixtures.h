// Hand-built BMP files for the codec tests: every header form, colour
// tables of any length, gaps before the pixel data and run-length codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAVTest {

struct BmpLayout {
    uint32_t headerSize = 40;  // 12, 40, 108 or 124
    int32_t width = 1;
    int32_t height = 1;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;  // as stored; 0 stores tableEntries
    int tableEntries = 0;      // entries written
    size_t gap = 0;            // bytes between the table and the pixels
    int32_t pixelsPerMetre = 2835;
    std::vector<uint8_t> pixels;
};

// Colour table entry i: red 255 - i, green 13 i, blue 7 i (bytes wrap).
std::vector<uint8_t> BuildBmp(const BmpLayout& layout);

}  // namespace ZAVTest
