// CTIFFEncoder: writes an image, or a list of images as the pages of one
// file, as TIFF through libtiff over a data source. Every page is one strip
// (RowsPerStrip is the height), so the PDF stream routines can take strip 0
// as a whole compressed stream. The compression and its options come from
// the image's TIFF settings.
#pragma once

#include <cstdint>
#include <tiffio.h>

#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CTIFFEncoder : public CPicEncoder {
public:
    // A TIFF whose tags and palette come from the image and whose only
    // strip is the given bytes as they are: already compressed data gets a
    // TIFF container.
    int SaveRawStrip(CZAVImg* image, IDataSource* target, const void* data, uint32_t size, uint32_t* bytesWritten);

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
    int DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                           uint32_t* bytesWritten) override;
    // The palette, then the rows of the image being written.
    virtual void WriteImageData(IDataSource* target, TIFF* tiff);

    // Throws for a depth other than 1, 8 and 24 bits and for a compression
    // the depth cannot carry.
    void SetTags(TIFF* tiff);
    void WritePalette(TIFF* tiff);

private:
    CZAVImg& Page() const;
    void SetSampleTags(TIFF* tiff, int compression);
    void SetCompressionTags(TIFF* tiff, int compression);
    // The compression the depth is written with.
    int EffectiveCompression() const;

    // The image being written: the bound one, or one page of a list.
    CZAVImg* m_page = nullptr;
    // Deflate's predictor works in the row it is given, so rows are copied
    // into a scratch buffer first and the image stays untouched.
    int m_copyRows = 0;
};

}  // namespace ZAV
