#include "formats/codec/PicEncoder.h"

#include "formats/codec/PicDecoder.h"

namespace ZAV {

namespace {

// What any encoder without a multi-page form answers a list save with.
constexpr int kMultipageRefused = 1;

}  // namespace

CPicEncoder::~CPicEncoder() = default;

int CPicEncoder::SavePicture(CZAVImg* image, IDataSource* target, uint32_t* bytesWritten)
{
    m_image = image;
    return DoSavePicture(target, bytesWritten);
}

int CPicEncoder::SaveMultiPicture(CZAVImg* image, CZAVImg** images, int count, IDataSource* target, int append,
                                  uint32_t* bytesWritten)
{
    m_image = image;
    return DoSaveMultiPicture(images, count, target, append, bytesWritten);
}

void CPicEncoder::ThrowError(int code, const char* text)
{
    CPicDecoder::ThrowError(code, text);
}

int CPicEncoder::DoSaveMultiPicture(CZAVImg**, int, IDataSource*, int, uint32_t*)
{
    ThrowError(kMultipageRefused, "Multipage save is not supported by this format!");
}

}  // namespace ZAV
