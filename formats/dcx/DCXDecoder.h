// CDCXDecoder: multi-page DCX files (format 17); each page is a PCX
// picture read by CPCXDecoder, the frame index choosing the page.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CDCXDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
    int DoGetFrameCount(IDataSource* source) override;
};

}  // namespace ZAV
