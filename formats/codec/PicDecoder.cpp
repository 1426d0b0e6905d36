#include "formats/codec/PicDecoder.h"

#include "formats/codec/CodecErrorText.h"
#include "foundation/text/TextException.h"

#include <cstdio>

namespace ZAV {

namespace {

// The message buffer ThrowError formats into, its zero included.
constexpr size_t kDecoderMessageSize = 1024;

}  // namespace

CPicDecoder::CPicDecoder()
{
    GetCodecErrorText()[0] = 0;
}

CPicDecoder::~CPicDecoder() = default;

int CPicDecoder::IsFileFormat(CZAVImg* image, IDataSource* source)
{
    m_image = image;
    return DoIsFileFormat(source);
}

int CPicDecoder::GetFileInfo(CZAVImg* image, IDataSource* source, FilterImageInfo* info)
{
    m_image = image;
    return DoGetFileInfo(source, info);
}

int CPicDecoder::LoadPicture(CZAVImg* image, IDataSource* source, int depth)
{
    m_image = image;
    return DoLoadPicture(source, &depth);
}

int CPicDecoder::GetFrameCount(CZAVImg* image, IDataSource* source)
{
    m_image = image;
    return DoGetFrameCount(source);
}

CZAVImg* CPicDecoder::GetImage() const
{
    if (!m_image)
        ThrowTextException("CZAVImg not assigned to decoder!");
    return m_image;
}

void CPicDecoder::ThrowError(int code, const char* text)
{
    char message[kDecoderMessageSize];
    std::snprintf(message, sizeof(message), "Decoder error: %s", text ? text : "");
    throw CTextException(code, message);
}

int CPicDecoder::DoLoadPicture(IDataSource*, int*)
{
    return 0;
}

int CPicDecoder::DoIsFileFormat(IDataSource* source)
{
    try {
        return DoGetFileInfo(source, nullptr);
    } catch (const CTextException&) {
        return 0;
    }
}

int CPicDecoder::DoGetFrameCount(IDataSource*)
{
    return 1;
}

}  // namespace ZAV
