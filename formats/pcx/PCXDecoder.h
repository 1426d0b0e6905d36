// CPCXDecoder: ZSoft PCX pictures (format 3) and the pages of DCX files:
// 1-bit, 2- and 4-bit and 1-bit planar pictures with the header's 16
// colours, 8-bit pictures with the 256-colour palette behind the data, and
// 24-bit pictures in three planes.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CPCXDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
