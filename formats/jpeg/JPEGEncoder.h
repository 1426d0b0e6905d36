// CJPEGEncoder: JPEG files (format id 4) through libjpeg, with the image's
// quality, progressive and greyscale options; the floating-point DCT and
// the image's resolution as the density in dots per inch.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "formats/codec/PicEncoder.h"
#include "formats/jpeg/JpegDestination.h"
#include "formats/jpeg/JpegErrors.h"
#include "formats/jpeg/JpegProgress.h"

namespace ZAV {

class CJPEGEncoder : public CPicEncoder {
public:
    // Makes the compression object; a failure is raised by the save.
    CJPEGEncoder();
    ~CJPEGEncoder() override;

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    // The greyscale flag asks for 8 bits, colour for 24.
    void CheckDepth() const;
    // Destination, picture facts, settings, then the compression starts.
    void StartCompression(IDataSource* target);
    void WriteRows();
    template <class Step>
    void Run(Step&& step)
    {
        if (RunJpegStep(m_errors, step))
            return;
        jpeg_abort_compress(&m_info);
        RaiseJpegError(m_errors);
    }

    JpegErrorManager m_errors;
    JpegProgress m_progress;
    JpegDestination m_destination;
    jpeg_compress_struct m_info;
    bool m_created = false;
};

}  // namespace ZAV
