// The image's EXIF operations: the entries of a JPEG's EXIF block as tag
// texts, and for a file its EXIF thumbnail as this image.
#include "foundation/text/TextException.h"
#include "formats/exif/ExifRead.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kWithThumbnail = 1;
constexpr int kWithoutThumbnail = 0;

}  // namespace

void CZAVImg::ReadExif(const char* path, std::vector<std::string>& tags)
{
    if (!path || !*path)
        ThrowTextException("Invalid Filename!");
    CExifRead reader(path, kWithThumbnail);
    if (!reader.Read())
        ThrowTextException(reader.GetLastError());
    reader.GetEntries(tags);
    CZAVImg* thumbnail = reader.GetThumbnailImage();
    if (thumbnail && thumbnail->HasImage())
        *this = *thumbnail;
}

void CZAVImg::ReadExifFromMem(const void* data, int64_t size, std::vector<std::string>& tags)
{
    if (size < 0)
        ThrowTextException("Error assigning memory!");
    // A null block would be read as size bytes at address 0.
    if (!data && size > 0)
        ThrowTextException("Invalid Parameter!");
    CExifRead reader(data, static_cast<size_t>(size), kWithoutThumbnail);
    if (!reader.Read())
        ThrowTextException(reader.GetLastError());
    reader.GetEntries(tags);
}

}  // namespace ZAV
