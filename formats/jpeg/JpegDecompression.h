// CJpegDecompression: the decompression block of one decode: libjpeg's
// decompression object with its error manager, source manager and progress
// monitor over a data source, destroyed with the block. Each step raises
// libjpeg's message with code 6 when libjpeg fails inside it.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "formats/jpeg/JpegErrors.h"
#include "formats/jpeg/JpegProgress.h"

namespace ZAV {

class IDataSource;

class CJpegDecompression {
public:
    // Raises "Error decoding JPG!" (code 2) when libjpeg makes no object.
    explicit CJpegDecompression(IDataSource* source);
    ~CJpegDecompression();
    CJpegDecompression(const CJpegDecompression&) = delete;
    CJpegDecompression& operator=(const CJpegDecompression&) = delete;

    // The header, and the output dimensions computed from it.
    void ReadHeader();
    void Start();
    // One scanline into the row; false when libjpeg gave none.
    bool ReadScanline(JSAMPROW row);
    // False when libjpeg failed inside the finish; the object is then
    // destroyed without finishing.
    bool Finish();

    jpeg_decompress_struct& Info() { return m_info; }

private:
    template <class Step>
    void Run(Step&& step)
    {
        if (!RunJpegStep(m_errors, step))
            RaiseJpegError(m_errors);
    }

    JpegErrorManager m_errors;
    JpegProgress m_progress;
    jpeg_decompress_struct m_info;
    bool m_created = false;
};

}  // namespace ZAV
