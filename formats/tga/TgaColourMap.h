// The TGA colour map: entries first .. first + length - 1 of a 256-entry
// table, read as colours of the map's entry size.
#pragma once

#include "formats/tga/TgaHeader.h"

#include <cstdint>
#include <vector>

namespace ZAV {

// The 256 palette entries (blue, green, red, alpha); entries the map does
// not reach stay black, and entries past 255 are read and dropped. Refuses
// entry sizes other than 15, 16, 24 and 32 (code 2).
std::vector<uint32_t> ReadTgaColourMap(CFileBytes& bytes, const TgaHeader& header);

}  // namespace ZAV
