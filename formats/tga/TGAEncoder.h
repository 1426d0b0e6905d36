// CTGAEncoder: writes 8-bit images as colour-mapped TGA files (a 256-entry
// 24-bit map) and 24-bit images as true-colour files, 32 bits a pixel with
// the mask as alpha when the image has one; rows top to bottom.
#pragma once

#include "formats/codec/PicEncoder.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CTGAEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    void WriteHeader(IDataSource& target, bool withMask);
    void WriteColourMap(IDataSource& target);
    const uint8_t* BuildRow(int y, const uint8_t* mask);

    std::vector<uint8_t> m_row;
};

}  // namespace ZAV
