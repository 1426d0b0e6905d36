// CJBIGDecoder: bi-level JBIG files (ITU-T T.82, format 94) through
// JBIG-KIT. Images load at 1 bit per pixel, 300 dots per inch, palette
// entry 0 white; only bit plane 0 is kept. JBIG is never found by content.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CJBIGDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
