// Pictures for the small raster codecs' tests, made by the formats' own
// tools (Pillow, netpbm, ImageMagick, icoutils) at test time, and the
// pixels those tools read back. A missing tool fails the test.
#pragma once

#include "support/TestSupport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ZAV {
class CZAVImg;
}

namespace ZAVTest {

// Runs Python statements in the folder after a prelude that imports
// Pillow and defines pattern(mode, w, h): a picture of the mode ('1', 'L',
// 'P', 'P16', 'RGB', 'RGBA') whose pixels differ from their neighbours.
void MakeWithPillow(const TempDir& dir, const std::string& statements);

// Runs a shell command line in the folder; the test fails unless it
// succeeds and the tool it starts with is installed.
std::string RunInDir(const TempDir& dir, const std::string& commandLine);

// The image loaded from the file in the format (0 detects it).
void LoadPicture(ZAV::CZAVImg& image, const std::string& path, int format);

// What Pillow reads from the file: RGB bytes, and alpha bytes when the
// picture has an alpha band.
struct PillowView {
    std::string mode;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> alpha;
};
PillowView ReadWithPillow(const TempDir& dir, const std::string& file, int frame = 0);

// Little- and big-endian fields for hand-made fixtures.
void PutLE16(std::vector<uint8_t>& out, uint32_t value);
void PutLE32(std::vector<uint8_t>& out, uint32_t value);
void PutBE16(std::vector<uint8_t>& out, uint32_t value);
void PutBE32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace ZAVTest
