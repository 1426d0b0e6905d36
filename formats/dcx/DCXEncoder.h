// CDCXEncoder: writes a list of images as the pages of one DCX file, each
// page a PCX picture from CPCXEncoder; a single image is a one-page file.
#pragma once

#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CDCXEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
    int DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                           uint32_t* bytesWritten) override;
};

}  // namespace ZAV
