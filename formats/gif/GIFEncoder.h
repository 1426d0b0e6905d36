// CGIFEncoder: 1- and 8-bit images as GIF89a files, one image or a list of
// images as the frames of one file, with the code writer the image's GIF
// settings choose (0 plain codes, 1 LZW, anything else run lengths).
#pragma once

#include "formats/codec/PicEncoder.h"
#include "formats/gif/GifBase.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CZAVImg;

class CGIFEncoder : public CPicEncoder, public CGIFBase {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
    int DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                           uint32_t* bytesWritten) override;

    size_t FillCodeBuffer(uint8_t*, size_t) override { return 0; }
    int WriteDecodedRow(const uint8_t*, int) override { return -1; }
    int NextPixel() override;
    void WriteOutput(const uint8_t* bytes, size_t count) override;

private:
    void WriteHeader(const CZAVImg& image);
    void WriteLoopExtension(const CZAVImg& image);
    void WriteGraphicControl(const CZAVImg& image);
    void WriteComments(const CZAVImg& image);
    void WriteImage(CZAVImg& image, bool localTable);
    void WriteColourTable(const CZAVImg& image);
    void WriteCodes(CZAVImg& image);
    void WriteByte(uint8_t byte) { WriteOutput(&byte, 1); }
    void WriteWord(uint32_t value);

    IDataSource* m_target = nullptr;
    // Pixel feed.
    CZAVImg* m_feedImage = nullptr;
    int64_t m_pixelsLeft = 0;
    int m_row = -1;
    int m_column = 0;
    const uint8_t* m_rowPixels = nullptr;
    std::vector<uint8_t> m_expanded;
};

}  // namespace ZAV
