// CPSDEncoder: one 1-, 8- or 24-bit image as a flat, uncompressed Photoshop
// document (version 1, no image resources, no layers).
#pragma once

#include "formats/codec/PicEncoder.h"

#include <cstdint>

namespace ZAV {

class CPSDEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    void WriteHeader(IDataSource& target, int channels, int depth, int mode);
    void WriteColourModeData(IDataSource& target);
    void WriteBitmapRows(IDataSource& target);
    void WritePlanes(IDataSource& target);
};

}  // namespace ZAV
