// Files for the JPEG tests: the image as PNM for cjpeg, and PNM output of
// djpeg read back as pixel bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace ZAV {
class CZAVImg;
}

namespace ZAVTest {

// A smooth picture with detail, sizes that are no multiple of a block.
void FillJpegPicture(ZAV::CZAVImg& image, int width, int height, int depth);

// The image's rows as P6 (24 bits) or P5 (8 bits, the indices) bytes.
void WritePnm(const ZAV::CZAVImg& image, const std::string& path);

// The pixel bytes of a binary PNM file (P5 or P6, maxval 255).
std::vector<uint8_t> PnmPixels(const std::string& path, int& width, int& height);

// The image's rows back to back.
std::vector<uint8_t> ImageRows(const ZAV::CZAVImg& image);

// djpeg -dct float of the file as PNM into OUT; djpeg's exit code (2 when
// it only warned).
int DecodeWithDjpeg(const std::string& file, const std::string& out);

}  // namespace ZAVTest
