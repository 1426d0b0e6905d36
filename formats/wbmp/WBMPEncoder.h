// CWBMPEncoder: writes 1-bit images as type-0 wireless bitmaps, bit 1 =
// white whatever the image's palette order.
#pragma once

#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CWBMPEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
};

}  // namespace ZAV
