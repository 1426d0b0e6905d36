// The EXIF thumbnail: uncompressed RGB strips (TIFF 6.0 baseline RGB) or
// a JPEG stream at JpegIFOffset, built as an image.
#include "formats/exif/ExifRead.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kPhotometricRgb = 2;
constexpr int64_t kRgbBytesPerPixel = 3;
constexpr int kThumbnailDepth = 24;
constexpr int kDetectFormat = 0;

}  // namespace

void CExifRead::ReadThumbnailData()
{
    const ExifThumbnailRecord& t = m_thumbnail;
    if (t.photometric != kPhotometricRgb || t.stripPosition == 0 || t.width <= 0 || t.height <= 0)
        return;
    const int64_t size = int64_t(t.width) * t.height * kRgbBytesPerPixel;
    if (size != t.stripByteCount || !IsWithinImageCeiling(size))
        return;
    // The strip must lie in the source.
    const uint64_t length = m_source.GetLength();
    if (t.stripPosition < 0 || uint64_t(t.stripPosition) > length || uint64_t(size) > length - t.stripPosition)
        ThrowExifError("Invalid Exif data!");
    m_thumbnailBlock.Alloc(GPTR, size);
    m_source.Seek(t.stripPosition, 0);
    m_source.Read(m_thumbnailBlock.GetData<uint8_t>(), static_cast<size_t>(size));
    m_thumbnail.dataSize = size;
}

void CExifRead::BuildThumbnailImage()
{
    if (HasThumbnailPixels())
        return;
    if (m_jpegThumbnailPosition < 1) {
        if (m_thumbnailBlock.GetHandle())
            GetThumbnailImage()->Attach(m_thumbnailBlock, m_thumbnail.dataSize, m_thumbnail.width, m_thumbnail.height,
                                        kThumbnailDepth);
        return;
    }
    // A position past the source has no picture to load.
    if (uint64_t(m_jpegThumbnailPosition) < m_source.GetLength())
        LoadThumbnailImage(m_jpegThumbnailPosition);
}

void CExifRead::LoadThumbnailImage(int64_t position)
{
    CZAVImg* image = GetThumbnailImage();
    if (m_fromMemory) {
        image->LoadFromMemory(static_cast<const uint8_t*>(m_memory) + position, int64_t(m_memorySize) - position,
                              kDetectFormat);
        return;
    }
    // The format comes from the content, whatever the file's name says.
    image->m_detectByExtension = 0;
    image->LoadFromFile(m_path.c_str(), kDetectFormat, position);
}

}  // namespace ZAV
