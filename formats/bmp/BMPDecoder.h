// CBMPDecoder: Windows bitmap files (format 1) with the core, v3, v4 and v5
// headers: 1, 4, 8, 24 and 32 bits uncompressed, 4- and 8-bit run-length
// codes. 4-bit pictures load as 8 bits, 32-bit ones as 24 bits.
#pragma once

#include "formats/bmp/BmpLayout.h"
#include "formats/codec/PicDecoder.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CBMPDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;

private:
    // Reads the file and its headers and reports them as file facts.
    BmpLayout ReadHeaders(IDataSource* source, std::vector<uint8_t>& file);
};

}  // namespace ZAV
