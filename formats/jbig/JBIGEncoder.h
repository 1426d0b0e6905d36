// CJBIGEncoder: writes 1-bit images as JBIG files (one plane, JBIG-KIT's
// default options), black coded as 1 whatever the image's palette.
#pragma once

#include "formats/codec/PicEncoder.h"
#include "image/core/GlobalMemBlock.h"

namespace ZAV {

class CJBIGEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    // The image's pixels when its palette is white-first, else an inverted
    // copy of them in m_inverted.
    unsigned char* BlackIsOnePlane();

    CGlobalMemBlock m_inverted;
};

}  // namespace ZAV
