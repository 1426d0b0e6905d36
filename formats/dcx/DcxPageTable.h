// The DCX page table: the identifier 987654321, then one 32-bit
// little-endian offset per page (from the start of the DCX data to the
// page's PCX header), ended by a zero entry; at most 1023 pages.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

class CDataSource;
class CZAVImg;
class IDataSource;

constexpr uint32_t kDcxIdentifier = 987654321;
constexpr int kDcxMaxPages = 1023;

struct DcxPageTable {
    // Where the DCX data starts in its source.
    uint64_t start = 0;
    std::vector<uint32_t> offsets;
};

// Reads the table from the source's position and sets FRAMES. Refuses a
// wrong identifier and 1024 non-zero offsets (code 1).
DcxPageTable ReadDcxPageTable(IDataSource* source, CZAVImg& image);

// Positions the source on the page's PCX header; refuses an index outside
// the table and an offset outside the data (code 1).
void SeekDcxPage(IDataSource* source, const DcxPageTable& table, int index);

}  // namespace ZAV
