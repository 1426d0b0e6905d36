// CJPGDecoder: baseline and progressive JPEG files (format id 4) through
// libjpeg, with the floating-point DCT. Grey loads as 8 bits with a grey
// palette, colour as 24 bits; CMYK and YCCK become RGB.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CJpegDecompression;

class CJPGDecoder : public CPicDecoder {
public:
    CJPGDecoder() = default;
    ~CJPGDecoder() override;

protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;

private:
    // Reads the header, writes its facts to the image information and sets
    // the image's resolution from the density.
    void ReadHeader(CJpegDecompression& jpeg);
    void CreateImage(CJpegDecompression& jpeg);
    void ReadRows(CJpegDecompression& jpeg);
};

}  // namespace ZAV
