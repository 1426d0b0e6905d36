// CBMPEncoder: writes 1-, 8- and 24-bit images as Windows bitmap files with
// a 40-byte info header; 8-bit images run-length coded (RLE8) when the
// image's BMP option asks for it.
#pragma once

#include "formats/codec/PicEncoder.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CBMPEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    void SaveUncompressed(IDataSource& target, uint32_t& bytesWritten);
    void SaveRunLength(IDataSource& target, uint32_t& bytesWritten);
    // Both headers and the colour table for pixel data of the given size;
    // returns the file's size.
    uint32_t WriteHeaders(IDataSource& target, int64_t dataBytes, uint32_t compression, int colours);
};

}  // namespace ZAV
