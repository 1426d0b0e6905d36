#include "interfaces/imageedit/body/ImageFileSupport.h"

#include <memory>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/FilterInterface.h"
#include "formats/codec/PicCodecFactory.h"
#include "image/io/SinkRun.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kFormatDetect = 0;
constexpr int kFormatDetectAlt = 255;
// The formats whose encoder writes many pictures into one file.
constexpr int kMultipageFormats[] = {5, 18, 11, 15, 17};

const char kMultipageFormatText[] = "Error saving multipage image. Invalid ImageFormat! (TIF, PDF, DCX supported)";

bool IsMultipageFormat(int format)
{
    for (int multipage : kMultipageFormats)
        if (multipage == format)
            return true;
    return false;
}

}  // namespace

void SaveMultipageToMem(CZAVImg& image, CZAVImg** images, int count, void* block, int64_t size, int format,
                        int64_t* bytesWritten)
{
    if (format == kFormatDetect || format == kFormatDetectAlt)
        ThrowTextException("Invalid Imageformat!");
    std::unique_ptr<CPicEncoder> encoder = IsMultipageFormat(format) ? MakePicEncoder(format) : nullptr;
    if (!encoder)
        ThrowTextException(kMultipageFormatText);
    for (int i = 0; image.m_prepareBeforeSave && i < count; ++i)
        images[i]->CheckSaveOptions(format);
    CDataSource target(image.GetNotification());
    // The block takes at most its size: a document that needs more fails.
    if (!block || size < 0 || !target.OpenMemoryForWriting(block, static_cast<size_t>(size)))
        ThrowTextException("Error saving to memory!");
    uint32_t bytes = 0;
    {
        CSinkRun run(image.GetNotification());
        if (!encoder->SaveMultiPicture(&image, images, count, &target, 0, &bytes))
            ThrowTextException(kMultipageFormatText);
    }
    if (bytesWritten)
        *bytesWritten = bytes;
}

int GetPageCountFromFile(CZAVImg& image, const char* path)
{
    const int format = image.GetFileFormatFromFile(path);
    CDataSource source;
    if (!source.OpenMapped(path))
        ThrowTextException((std::string("Error opening file '") + path + "'").c_str());
    return image.GetPageCount(source, format);
}

int GetPageCountFromMem(CZAVImg& image, const void* data, int64_t size)
{
    const int format = image.GetFileFormatFromMem(data, size);
    CDataSource source;
    if (size < 0 || !source.OpenMemory(data, static_cast<size_t>(size)))
        ThrowTextException("Error assigning memory!");
    return image.GetPageCount(source, format);
}

void ReadFileInfoFromFile(CZAVImg& image, const char* path, int format)
{
    if (format == kFormatDetect || format == kFormatDetectAlt)
        format = image.GetFileFormatFromFile(path);
    std::unique_ptr<CPicDecoder> decoder = MakePicDecoder(format);
    if (!decoder)
        ThrowTextException("Error loading the file! No format provider found.");
    CDataSource source;
    if (!source.OpenMapped(path))
        ThrowTextException((std::string("Error opening file '") + path + "'").c_str());
    image.GetOwnImageInfo().RemoveAll();
    image.SetImageInfoList(&image.GetOwnImageInfo());
    FilterImageInfo info{};
    decoder->GetFileInfo(&image, &source, &info);
}

}  // namespace ZAV
