// The type-0 WBMP header (WAP-237 Wireless Application Environment,
// "WBMP"): type and fixed-header fields, then width and height as
// multi-byte integers, 7 bits a byte, most significant group first, the
// high bit set on every byte but the last.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

class CZAVImg;
class IDataSource;

constexpr int kWbmpMaxSide = 32000;

struct WbmpHeader {
    int width = 0;
    int height = 0;
};

// Reads the header from the source; refuses a type other than 0
// ("Unsupported WBMP type") and sides outside 1..32000 ("Invalid WBMP
// type"); sets the file facts.
WbmpHeader ReadWbmpHeader(IDataSource& source, CZAVImg& image);

// A value in the multi-byte integer form.
void AppendWbmpInteger(uint32_t value, std::vector<uint8_t>& out);

}  // namespace ZAV
