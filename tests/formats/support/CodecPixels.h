// Pixels of files as Pillow (an independent reader) sees them, for the
// codec tests; the images' own pixels come from CodecPictures.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/support/CodecPictures.h"

namespace ZAV {
class CZAVImg;
}

namespace ZAVTest {

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
