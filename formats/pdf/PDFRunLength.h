// PackBits coding of pixel rows for /RunLengthDecode (PDF 32000-1 7.4.5):
// a length byte 0..127 before 1..128 literal bytes, 129..255 before one
// byte repeated 257 - length times, 128 the end of the data.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

constexpr uint8_t kRunLengthEndOfData = 128;

// Each row coded on its own, so no run crosses a row end; no end byte.
std::vector<uint8_t> PackBitsRows(const uint8_t* pixels, int bytesPerLine, int height);

}  // namespace ZAV
