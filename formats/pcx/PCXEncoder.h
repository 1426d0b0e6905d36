// CPCXEncoder: writes 8-bit images (one plane and the 256-colour palette
// at the end) and 24-bit images (three planes) as version 5 PCX files,
// run-length coded with runs of at most 63 bytes.
#pragma once

#include "formats/codec/PicEncoder.h"

#include <cstdint>
#include <vector>

namespace ZAV {

struct PcxHeader;

class CPCXEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    PcxHeader MakeHeader() const;
    void BuildScanline(const uint8_t* row, const PcxHeader& header);
    void WritePalette(IDataSource& target);

    std::vector<uint8_t> m_scanline;
};

}  // namespace ZAV
