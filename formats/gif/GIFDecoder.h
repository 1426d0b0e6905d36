// CGIFDecoder: GIF87a and GIF89a files (format 15) frame by frame. The file
// is scanned once per operation; extensions become per-frame file facts
// (TRANSPARENTCOLOR%d, FRAMEDELAY%d, DISPOSALMETHOD%d, COMMENT%d) and one
// frame decodes through the LZW reader of CGIFBase.
#pragma once

#include "formats/codec/PicDecoder.h"
#include "formats/gif/GifBase.h"
#include "formats/gif/GifFileScan.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CGIFDecoder : public CPicDecoder, public CGIFBase {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
    int DoGetFrameCount(IDataSource* source) override;

    size_t FillCodeBuffer(uint8_t* buffer, size_t count) override;
    int WriteDecodedRow(const uint8_t* pixels, int count) override;
    int NextPixel() override { return -1; }
    void WriteOutput(const uint8_t*, size_t) override {}

private:
    // The file read and scanned; the frame index checked when asked.
    void ReadAndScan(IDataSource* source, bool checkFrame);
    void DecodeFrame(const GifFrameRecord& frame);
    void SetFramePalette(const GifFrameRecord& frame);
    int NextTargetRow();

    std::vector<uint8_t> m_file;
    GifFileLayout m_layout;
    IDataSource* m_source = nullptr;
    size_t m_dataPosition = 0;
    // Interlace state and rows done of the frame being decoded.
    int m_colorDepth = 0;
    int m_interlaced = 0;
    int m_height = 0;
    int m_rowStep = 8;
    int m_nextRow = 0;
    int m_pass = 0;
    int m_rowsWritten = 0;
};

}  // namespace ZAV
