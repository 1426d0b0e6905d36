// Run-length coding of 8-bit rows in the BMP form (RLE8): literal stretches
// as absolute runs, the rest as runs of one value; every row ends with the
// end-of-line code and the picture with the end-of-bitmap code.
#pragma once

#include "platform/WinTypes.h"

#include <cstdint>
#include <vector>

namespace ZAV {

// Appends the codes of one row of width indices (an odd width codes one more
// pixel of value 0), its end-of-line code included.
void AppendRleRow(const BYTE* row, int width, std::vector<uint8_t>& codes);

// Appends the end-of-bitmap code.
void AppendRleEnd(std::vector<uint8_t>& codes);

}  // namespace ZAV
