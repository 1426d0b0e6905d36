// A QuickDraw colour table (Inside Macintosh: Imaging With QuickDraw,
// "ColorTable"): seed, flags, size, then entries of value and 16-bit red,
// green and blue.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

class CFileBytes;

// The entries an 8-bit palette holds (blue, green, red, alpha), at most
// 256; later ones are read and dropped. Refuses an index at or above the
// table's count.
std::vector<uint32_t> ReadPictColourTable(CFileBytes& bytes);

}  // namespace ZAV
