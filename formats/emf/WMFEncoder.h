// CWMFEncoder: saves the image as an enhanced metafile (format 93) holding
// the picture as one EMR_STRETCHDIBITS record, drawn by the image's drawer
// into a metafile DC in isotropic mapping at the screen's resolution.
#pragma once

#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CWMFEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
};

}  // namespace ZAV
