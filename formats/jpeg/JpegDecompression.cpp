#include "formats/jpeg/JpegDecompression.h"

#include <cstring>

#include "formats/FormatLimits.h"
#include "formats/codec/PicDecoder.h"
#include "formats/jpeg/JpegSource.h"

namespace ZAV {

namespace {

constexpr int kDecodeErrorCode = 2;

}  // namespace

CJpegDecompression::CJpegDecompression(IDataSource* source)
{
    std::memset(&m_info, 0, sizeof(m_info));
    m_info.err = InitJpegErrorManager(m_errors);
    j_decompress_ptr info = &m_info;
    bool& created = m_created;
    const bool made = RunJpegStep(m_errors, [info, source, &created] {
        jpeg_create_decompress(info);
        created = true;
        InstallJpegSource(info, source);
    });
    if (!made) {
        // The destructor does not run for a constructor that throws.
        if (m_created)
            jpeg_destroy_decompress(&m_info);
        CPicDecoder::ThrowError(kDecodeErrorCode, "Error decoding JPG!");
    }
    m_info.progress = InitJpegProgress(m_progress, source);
    // Progressive coefficient buffers and the like stay within the image
    // ceiling; libjpeg refuses what would need more.
    m_info.mem->max_memory_to_use = kMaxJpegLibraryBytes;
}

CJpegDecompression::~CJpegDecompression()
{
    if (m_created)
        jpeg_destroy_decompress(&m_info);
}

void CJpegDecompression::ReadHeader()
{
    j_decompress_ptr info = &m_info;
    Run([info] {
        jpeg_read_header(info, TRUE);
        jpeg_calc_output_dimensions(info);
    });
}

void CJpegDecompression::Start()
{
    j_decompress_ptr info = &m_info;
    Run([info] { jpeg_start_decompress(info); });
}

bool CJpegDecompression::ReadScanline(JSAMPROW row)
{
    j_decompress_ptr info = &m_info;
    JDIMENSION lines = 0;
    Run([info, row, &lines] {
        JSAMPROW rows[1] = {row};
        lines = jpeg_read_scanlines(info, rows, 1);
    });
    return lines == 1;
}

bool CJpegDecompression::Finish()
{
    j_decompress_ptr info = &m_info;
    return RunJpegStep(m_errors, [info] { jpeg_finish_decompress(info); });
}

}  // namespace ZAV
