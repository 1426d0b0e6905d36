// File information and page counts: facts of a file read by the built-in
// decoder of its format, without decoding its pixels.
#include <string>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/codec/PicCodecFactory.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

bool IsDetectRequest(int format)
{
    return format == 0 || format == 255;
}

void OpenFile(CDataSource& source, const char* path)
{
    if (!path || !source.OpenMapped(path))
        ThrowTextException((std::string("Error opening file '") + (path ? path : "") + "'").c_str());
}

}  // namespace

bool CZAVImg::GetFileInfoByFormat(CDataSource& source, int format)
{
    std::unique_ptr<CPicDecoder> decoder = HasBuiltInDecoder(format) ? MakePicDecoder(format) : nullptr;
    if (!decoder)
        return false;
    decoder->SetFrameIndex(m_pageIndex);
    return decoder->GetFileInfo(this, &source, nullptr) != 0;
}

void CZAVImg::GetFileInfoFromFile(const char* path, int format)
{
    if (IsDetectRequest(format))
        format = GetFileFormatFromFile(path);
    CDataSource source(GetNotification());
    OpenFile(source, path);
    if (!GetImageInfo())
        SetImageInfo(&m_ownImageInfo);
    if (!GetFileInfoByFormat(source, format))
        ThrowTextException("Can't extract fileinfo!");
}

int CZAVImg::GetPageCountFromFile(const char* path, int format)
{
    if (IsDetectRequest(format))
        format = GetFileFormatFromFile(path);
    CDataSource source(GetNotification());
    OpenFile(source, path);
    return GetPageCount(source, format);
}

int CZAVImg::GetPageCountFromMem(const void* data, int64_t size, int format)
{
    if (IsDetectRequest(format))
        format = GetFileFormatFromMem(data, size);
    CDataSource source(GetNotification());
    if (!data || size < 0 || !source.OpenMemory(data, static_cast<size_t>(size)))
        ThrowTextException("Error assigning memory!");
    return GetPageCount(source, format);
}

}  // namespace ZAV
