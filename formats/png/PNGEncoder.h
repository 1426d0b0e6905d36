// CPNGEncoder: PNG files (format id 6) through libpng, with the colour
// type and interlace method the image's options give; an alpha colour type
// takes its alpha from the image's mask (or the fourth byte of 32 bits).
// WriteRawIdat wraps compressed rows from a PDF stream as a PNG of the
// image's header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CPngWriter;

class CPNGEncoder : public CPicEncoder {
public:
    CPNGEncoder() = default;
    ~CPNGEncoder() override;

    // A PNG with the image's header, palette, time and resolution whose
    // image data is data, one IDAT chunk, then the end chunk. The colour
    // type follows the depth: 3 with the image palette for 1 and 8 bits, 2
    // for 24 bits. Predictors 10 to 15 choose libpng's filter set (none,
    // sub, up, average, Paeth, all); others throw "Invalid PNG predictor
    // value %d!". bytesWritten receives the data source's length.
    int WriteRawIdat(CZAVImg* image, IDataSource* target, const unsigned char* data, size_t length, int predictor,
                     uint32_t* bytesWritten);

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    // IHDR, PLTE (palette of 1 to 256 entries), tIME and pHYs, then the
    // info is written.
    static void WriteHeaderChunks(CPngWriter& writer, CZAVImg& image, int colorType, int interlace);
    static void WriteRows(CPngWriter& writer, CZAVImg& image, IDataSource* target, bool alpha);
};

}  // namespace ZAV
