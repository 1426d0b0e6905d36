// CIconDecoder: Windows icon files (format 8) and cursor files (format 9).
// The widest, deepest image of the file is decoded to 24 bits, its mask
// applied against white: transparent pixels come out white.
#pragma once

#include "formats/codec/PicDecoder.h"

#include <cstdint>

namespace ZAV {

class CIconDecoder : public CPicDecoder {
public:
    // 1 reads icons; the image object sets 0 for cursors.
    int32_t m_isIcon = 1;

protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
};

}  // namespace ZAV
