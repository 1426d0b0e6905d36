// CPICTDecoder: the first bitmap of a Macintosh PICT picture (format 92,
// versions 1 and 2): 1-bit bitmaps and indexed pixel maps load as 8 bits
// with their colour table, 16- and 32-bit pixels as 24 bits. Vector
// content is skipped, not drawn.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CPICTDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
