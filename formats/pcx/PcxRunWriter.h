// The PCX run-length coding of one plane's row: runs of equal bytes of at
// most 63; a single byte below 0xC0 stands for itself, every other run is
// 0xC0 + its length followed by the byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

void AppendPcxRuns(const uint8_t* bytes, size_t count, std::vector<uint8_t>& out);

}  // namespace ZAV
