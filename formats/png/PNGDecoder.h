// CPNGDecoder: PNG files (format id 6) through libpng. Alpha channels come
// in as the image's mask, one byte a pixel.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

class CPngReader;
struct PngHeader;

class CPNGDecoder : public CPicDecoder {
public:
    CPNGDecoder() = default;
    ~CPNGDecoder() override;

protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    // The first four bytes of the PNG signature.
    int DoIsFileFormat(IDataSource* source) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;

private:
    // Reads the header and writes its facts to the image information.
    PngHeader ReadHeader(CPngReader& reader);
    // Refuses a header whose rows the rest of the data cannot hold, before
    // the image is allocated.
    void CheckImageData(IDataSource* source, CPngReader& reader, const PngHeader& header);
    void CreateImage(const PngHeader& header, int depth, bool alpha, CPngReader& reader);
    void ReadRows(CPngReader& reader, int passes, bool alpha);
};

}  // namespace ZAV
