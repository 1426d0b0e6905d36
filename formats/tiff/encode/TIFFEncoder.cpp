#include "formats/tiff/encode/TIFFEncoder.h"

#include <cstring>
#include <vector>

#include "formats/tiff/io/TiffHandle.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// Log flag of the encoder's handles: libtiff's messages stay in the
// handler state and go to no information list.
constexpr int kEncoderLogFlag = 0;

uint32_t TargetLength(IDataSource* target)
{
    const uint64_t length = AsDataSource(target).GetLength();
    return length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
}

// The directory and any data libtiff still buffers reach the target, or the
// save fails: a target that refuses the last bytes is no written file.
void FlushOrFail(TIFF* tiff)
{
    if (!TIFFFlush(tiff))
        CPicEncoder::ThrowError(18, "Error writing to file!");
}

}  // namespace

int CTIFFEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    m_page = GetImage();
    CTiffHandle handle(m_page, kEncoderLogFlag);
    handle.Open(target, "wb");
    SetTags(handle.Get());
    WriteImageData(target, handle.Get());
    FlushOrFail(handle.Get());
    handle.Close();
    if (bytesWritten)
        *bytesWritten = TargetLength(target);
    return 1;
}

int CTIFFEncoder::DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                                     uint32_t* bytesWritten)
{
    CTiffHandle handle(GetImage(), kEncoderLogFlag);
    handle.Open(target, append ? "ab" : "wb");
    for (int i = 0; i < count; ++i) {
        m_page = images[i];
        SetTags(handle.Get());
        WriteImageData(target, handle.Get());
        if (i + 1 < count && !TIFFWriteDirectory(handle.Get()))
            ThrowError(18, "Error writing to file!");
    }
    m_page = GetImage();
    FlushOrFail(handle.Get());
    handle.Close();
    if (bytesWritten)
        *bytesWritten = TargetLength(target);
    return 1;
}

int CTIFFEncoder::SaveRawStrip(CZAVImg* image, IDataSource* target, const void* data, uint32_t size,
                               uint32_t* bytesWritten)
{
    m_page = image;
    CTiffHandle handle(image, kEncoderLogFlag);
    handle.Open(target, "wb");
    SetTags(handle.Get());
    WritePalette(handle.Get());
    if (TIFFWriteRawStrip(handle.Get(), 0, const_cast<void*>(data), static_cast<tmsize_t>(size)) < 0)
        ThrowError(18, "Error writing to file!");
    FlushOrFail(handle.Get());
    handle.Close();
    if (bytesWritten)
        *bytesWritten = TargetLength(target);
    return 1;
}

void CTIFFEncoder::WriteImageData(IDataSource* target, TIFF* tiff)
{
    WritePalette(tiff);
    CZAVImg& image = Page();
    const int depth = image.GetBitsPerPixel();
    if (depth != 1 && depth != 8 && depth != 24)
        return;
    const size_t rowBytes = static_cast<size_t>(image.GetBytesPerLine());
    std::vector<uint8_t> scratch;
    if (m_copyRows)
        scratch.resize(2 * rowBytes);
    CDataSource& progress = AsDataSource(target);
    BYTE** rows = image.GetLineArray();
    const int height = image.GetHeight();
    for (int y = 0; y < height; ++y) {
        void* row = rows[y];
        if (m_copyRows) {
            std::memcpy(scratch.data(), rows[y], rowBytes);
            row = scratch.data();
        }
        if (TIFFWriteScanline(tiff, row, static_cast<uint32_t>(y), 0) < 0)
            ThrowError(18, "Error writing to file!");
        progress.NotifyProgress(static_cast<double>(y) / height);
    }
}

}  // namespace ZAV
