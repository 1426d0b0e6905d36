// CWMFDecoder: enhanced metafiles, old-style metafiles and placeable
// old-style metafiles (format 93), played by the platform's metafile layer
// into a 24-bit image at the frame's size. Metafiles that carry pictures
// load fully; one that draws lines, shapes or text is refused with the
// number of the first record the layer could not play.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CWMFDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
