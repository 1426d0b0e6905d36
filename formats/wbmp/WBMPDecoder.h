// CWBMPDecoder: type-0 wireless bitmaps (format 16): one bit a pixel,
// 1 = white, rows of whole bytes, most significant bit first.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CWBMPDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
