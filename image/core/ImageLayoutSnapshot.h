// Records an image's layout before an operation replaces its pixels; Commit
// rebuilds the layout and row array when anything changed and always tells
// the sink the image changed.
#pragma once

#include "image/core/ZAVImgBase.h"

namespace ZAV {

class CImageLayoutSnapshot {
public:
    explicit CImageLayoutSnapshot(CZAVImgBase& image);
    void Commit();

private:
    bool Differs() const;

    CZAVImgBase& m_image;
    int m_width;
    int m_height;
    int m_bytesPerPixel;
    int m_bitsPerPixel;
    int m_bytesPerLine;
    HGLOBAL m_data;
};

}  // namespace ZAV
