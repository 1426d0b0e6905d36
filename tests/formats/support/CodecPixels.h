// Pixels of decoded images and of files as Pillow (an independent reader)
// sees them, for the codec tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZAV {
class CZAVImg;
}

namespace ZAVTest {

// The image's pixels as red, green, blue bytes, top row first: 1- and
// 8-bit indices through the palette, 24 bits as they are.
std::vector<uint8_t> ImageRgb(const ZAV::CZAVImg& image);

// What Pillow reads from the file, converted to RGB: width, height and the
// pixels, top row first. Fails the test when Pillow cannot read it.
struct PillowPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};
PillowPicture PillowRgb(const std::string& path);

// Runs a Python script (given as text) with /usr/bin/python3 and the
// arguments; the test fails when it does not succeed.
void RunPython(const std::string& script, const std::string& arguments);

}  // namespace ZAVTest
