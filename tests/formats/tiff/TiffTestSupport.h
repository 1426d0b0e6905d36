// Helpers of the TIFF codec tests: TIFF files written by libtiff itself,
// pixels as Pillow reads them, and the image's pixels in the same form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace ZAV {
class CZAVImg;
}

namespace ZAVTiffTest {

// A TIFF written through libtiff: one strip per rowsPerStrip rows (0: one
// strip), rows packed as TIFF packs them.
struct TiffFile {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 8;
    uint16_t samples = 1;
    // -1 writes no Photometric tag.
    int photometric = 1;
    uint16_t compression = 1;
    uint32_t rowsPerStrip = 0;
    std::vector<uint8_t> rows;
    // 3 x 2^bits values (red, green, blue) for palette files.
    std::vector<uint16_t> colorMap;
    std::vector<uint8_t> iccProfile;
};
void WriteTiff(const std::string& path, const TiffFile& file);

// A little-endian TIFF built byte by byte, for files libtiff would not
// write: the strip data at offset 8, then one directory of the entries
// (SHORT or LONG values held in the entry; kStripData stands for the strip
// data's offset).
struct IfdEntry {
    uint16_t tag;
    uint16_t type;
    uint32_t value;
};
constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;
constexpr uint32_t kStripData = 0xFFFFFFFF;
std::vector<uint8_t> BuildTiff(std::vector<IfdEntry> entries, const std::vector<uint8_t>& strip);

// Deterministic bytes of a pattern (a small linear congruential generator).
std::vector<uint8_t> PatternBytes(size_t count, uint32_t seed);

// Frame `frame` of the file as Pillow reads it: converted to 8-bit RGB, or
// (raw) Pillow's own bytes of the frame.
std::vector<uint8_t> PillowPixels(const std::string& path, int frame, bool raw = false);

// The image's pixels as 8-bit RGB: palette entries for 1 and 8 bits, the
// high bytes of 16- and 48-bit samples.
std::vector<uint8_t> ImageRgb(const ZAV::CZAVImg& image);

using ZAVTest::MaxDifference;

// tiffinfo's report of the file (with its strip list).
std::string TiffInfo(const std::string& path);

}  // namespace ZAVTiffTest
