// CTIFFDecoder: reads TIFF files through libtiff over the data source. Per
// directory it takes one of five routes: the embedded old-style JPEG, line
// by line for 1- to 8-bit single-sample images, 16-bit samples kept at 16
// bits, ICC colour conversion, and libtiff's RGBA reader for the rest.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CTiffHandle;

class CTIFFDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
    int DoGetFrameCount(IDataSource* source) override;
    // Decodes the current directory of the open handle into the image; sets
    // the retry flag when the embedded JPEG could not be decoded.
    virtual void DecodeDirectory(IDataSource* source, int* depth, CTiffHandle& handle, int& retry);

private:
    // Makes the decoder's frame the current directory, or throws.
    void SelectFrame(CTiffHandle& handle);
};

}  // namespace ZAV
