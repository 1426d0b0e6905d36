// What the EXIF fuzz target does with one input, shared with the test that
// replays every input kept under tests/data/fuzz/: the bytes are read as a
// JPEG's EXIF block from memory, maker notes and thumbnail included. A
// refusal is a false Read; anything else (a crash, undefined behaviour, a
// leak, a hang) fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/exif/ExifRead.h"

namespace ZAVFuzz {

inline void ReadExifBlock(const uint8_t* data, size_t size)
{
    ZAV::CExifRead reader(data, size, 1);
    reader.Read();
    std::vector<std::string> texts;
    reader.GetEntries(texts);
}

}  // namespace ZAVFuzz
