// Pictures for the codec tests: images filled with a pattern, their pixels
// as RGB bytes through the palette, and scripts run by the Python that owns
// Debian's Pillow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace ZAV {
class CZAVImg;
}

namespace ZAVTest {

// A width x height image of the depth (1, 8, 16, 24 or 32) whose bytes
// follow a pattern; 8 bits get a palette of distinct colours.
void FillPatternImage(ZAV::CZAVImg& image, int width, int height, int depth);

// A mask of the image's size whose bytes follow a pattern.
void AddPatternMask(ZAV::CZAVImg& image);

// Red, green, blue per pixel, top row first: palette entries for 1 and 8
// bits, the first three bytes for 24 and 32.
std::vector<uint8_t> ImageRgb(const ZAV::CZAVImg& image);

// The image's mask bytes; empty without a mask.
std::vector<uint8_t> ImageMask(const ZAV::CZAVImg& image);

// Writes the script into the folder and runs /usr/bin/python3 on it with
// the arguments.
RunResult RunPython(const TempDir& dir, const std::string& script, const std::string& arguments);

// Reads FILE with Pillow into FILE.rgb (RGB bytes) and FILE.alpha (the
// alpha band, empty without one); returns Pillow's mode.
std::string PillowPixels(const TempDir& dir, const std::string& file);

}  // namespace ZAVTest
