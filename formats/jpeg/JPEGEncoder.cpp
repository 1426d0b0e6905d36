#include "formats/jpeg/JPEGEncoder.h"

#include <algorithm>
#include <cstring>

#include "formats/codec/CodecDataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kEncodeErrorCode = 2;
// JFIF density unit of the saved file.
constexpr UINT8 kDensityDotsPerInch = 1;
// The largest density a JFIF header holds.
constexpr int kMaxDensity = 65535;

UINT16 DensityOf(int dpi)
{
    return static_cast<UINT16>(std::clamp(dpi, 0, kMaxDensity));
}

}  // namespace

CJPEGEncoder::CJPEGEncoder()
{
    std::memset(&m_info, 0, sizeof(m_info));
    m_info.err = InitJpegErrorManager(m_errors);
    j_compress_ptr info = &m_info;
    bool& created = m_created;
    RunJpegStep(m_errors, [info, &created] {
        jpeg_create_compress(info);
        created = true;
    });
}

CJPEGEncoder::~CJPEGEncoder()
{
    if (m_created)
        jpeg_destroy_compress(&m_info);
}

void CJPEGEncoder::CheckDepth() const
{
    const CZAVImg& image = *GetImage();
    if (image.m_jpegGray) {
        if (image.GetBitsPerPixel() != 8)
            ThrowError(kEncodeErrorCode,
                       "Encoding JPG: Illegal bpp value. Require 8bit image to export grayscale JPEG");
    } else if (image.GetBitsPerPixel() != 24)
        ThrowError(kEncodeErrorCode, "Encoding JPG: Illegal bpp value.");
}

void CJPEGEncoder::StartCompression(IDataSource* target)
{
    const CZAVImg& image = *GetImage();
    InstallJpegDestination(&m_info, m_destination, target);
    m_info.progress = InitJpegProgress(m_progress, target);
    m_info.image_width = static_cast<JDIMENSION>(image.GetWidth());
    m_info.image_height = static_cast<JDIMENSION>(image.GetHeight());
    m_info.input_components = image.m_jpegGray ? 1 : 3;
    m_info.in_color_space = image.m_jpegGray ? JCS_GRAYSCALE : JCS_RGB;
    const int quality = image.m_jpegQuality;
    const bool progressive = image.m_jpegOptionA != 0;
    const UINT16 densityX = DensityOf(image.GetXResolution());
    const UINT16 densityY = DensityOf(image.GetYResolution());
    j_compress_ptr info = &m_info;
    Run([=] {
        jpeg_set_defaults(info);
        jpeg_set_quality(info, quality, TRUE);
        if (progressive)
            jpeg_simple_progression(info);
        info->density_unit = kDensityDotsPerInch;
        info->X_density = densityX;
        info->Y_density = densityY;
        info->dct_method = JDCT_FLOAT;
        jpeg_start_compress(info, TRUE);
    });
}

void CJPEGEncoder::WriteRows()
{
    CZAVImg& image = *GetImage();
    BYTE** lines = image.GetLineArray();
    j_compress_ptr info = &m_info;
    for (int y = 0; y < image.GetHeight(); ++y) {
        JSAMPROW row = lines[y];
        Run([info, row] {
            JSAMPROW rows[1] = {row};
            jpeg_write_scanlines(info, rows, 1);
        });
    }
}

int CJPEGEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    if (!m_created)
        RaiseJpegError(m_errors);
    CheckDepth();
    GetImage()->GetImageDataChecked();
    StartCompression(target);
    WriteRows();
    j_compress_ptr info = &m_info;
    Run([info] { jpeg_finish_compress(info); });
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, m_destination.bytesWritten));
    return 1;
}

}  // namespace ZAV
