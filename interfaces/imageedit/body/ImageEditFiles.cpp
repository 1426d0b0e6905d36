// Format detection, loading, saving and plug-in binding of the image-edit
// object.
#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "image/webrequest/WebRequest.h"
#include "interfaces/imageedit/body/ImageFileSupport.h"
#include "platform/win/Resources.h"

namespace ZAV {

namespace {

// The bytes of a stream from its start.
std::vector<uint8_t> ReadWholeStream(IStream* stream)
{
    if (!stream)
        ThrowTextException("Invalid Parameter!");
    uint64_t end = 0;
    if (FAILED(stream->Seek(0, STREAM_SEEK_END, &end)) || FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr)))
        ThrowTextException("Error reading stream!");
    if (end > UINT32_MAX)
        ThrowTextException("Error reading stream!");
    std::vector<uint8_t> bytes(static_cast<size_t>(end));
    ULONG read = 0;
    if (!bytes.empty() &&
        (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size()))
        ThrowTextException("Error reading stream!");
    return bytes;
}

int32_t ClampedResult(int64_t bytes)
{
    return static_cast<int32_t>(std::min<int64_t>(bytes, INT32_MAX));
}

}  // namespace

int CZAVImageEdit::GetFormatDetectionMode()
{
    return m_image.m_detectByExtension;
}

int CZAVImageEdit::SetFormatDetectionMode(int mode)
{
    return m_image.m_detectByExtension = mode;
}

void CZAVImageEdit::GetFileFormatFromFile(const std::string& fileName, int* format)
{
    const int detected = m_image.GetFileFormatFromFile(fileName.c_str());
    if (format)
        *format = detected;
}

int CZAVImageEdit::GetFileFormatFromFile(const std::string& fileName)
{
    return m_image.GetFileFormatFromFile(fileName.c_str());
}

int CZAVImageEdit::TryGetFileFormatFromFile(const std::string& fileName, int* format)
{
    try {
        GetFileFormatFromFile(fileName, format);
        return 1;
    } catch (...) {
        return 0;
    }
}

void CZAVImageEdit::GetFileFormatFromMem(const void* data, int size, int* format)
{
    const int detected = m_image.GetFileFormatFromMem(data, size);
    if (format)
        *format = detected;
}

int CZAVImageEdit::GetFileFormatFromByteArray(CZAVByteArray& data)
{
    return m_image.GetFileFormatFromMem(data.GetData(), data.GetSize());
}

int CZAVImageEdit::TryGetFileFormatFromMem(const void* data, int size, int* format)
{
    try {
        GetFileFormatFromMem(data, size, format);
        return 1;
    } catch (...) {
        return 0;
    }
}

CZAVPtr<IZAVNameVariantPairsSp> CZAVImageEdit::GetFileInfoFromFile(const std::string& fileName, int format)
{
    ReadFileInfoFromFile(m_image, fileName.c_str(), format);
    return GetImageInfo();
}

// The further argument is taken for the interface's shape and not used. An
// object that is no request object reaches the worker as none, which refuses
// it with its own text.
void CZAVImageEdit::LoadFromWebRequest(IZAVUnknownSp* request, const std::string& url, int format, int)
{
    m_image.LoadFromWebRequest(dynamic_cast<IZAVWebRequestSp*>(request), url.c_str(), format);
}

void CZAVImageEdit::LoadFromFile(const std::string& fileName, int format)
{
    m_image.LoadFromFile(fileName.c_str(), format);
}

void CZAVImageEdit::LoadFromMemory(const void* data, int size, int format)
{
    m_image.LoadFromMemory(data, size, format);
}

void CZAVImageEdit::LoadFromByteArray(CZAVByteArray& data, int format)
{
    m_image.LoadFromMemory(data.GetData(), data.GetSize(), format);
}

void CZAVImageEdit::LoadFromStream(IStream* stream, int format)
{
    const std::vector<uint8_t> bytes = ReadWholeStream(stream);
    m_image.LoadFromMemory(bytes.data(), static_cast<int64_t>(bytes.size()), format);
}

void CZAVImageEdit::LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format)
{
    HRSRC resource = FindResourceA(module, name.c_str(), type.c_str());
    HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    if (!data)
        ThrowTextException("Error loading resource!");
    m_image.LoadFromMemory(LockResource(data), SizeofResource(module, resource), format);
}

void CZAVImageEdit::BeginSave()
{
    m_lastSaveResult = 0;
}

void CZAVImageEdit::FinishSave(int64_t bytes)
{
    m_lastSaveResult = ClampedResult(bytes);
}

void CZAVImageEdit::SaveToFile(const std::string& fileName, int format)
{
    BeginSave();
    int64_t bytes = 0;
    m_image.SaveToFile(fileName.c_str(), format, &bytes);
    FinishSave(bytes);
}

void CZAVImageEdit::SaveToMemory(void* data, int size, int format)
{
    BeginSave();
    int64_t bytes = 0;
    m_image.SaveToMemory(data, size, format, &bytes);
    FinishSave(bytes);
}

void CZAVImageEdit::SaveToArray(CZAVByteArray& data, int format)
{
    data.RemoveAll();
    const int64_t size = m_image.GetSaveBufferSize();
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    BeginSave();
    int64_t bytes = 0;
    m_image.SaveToMemory(buffer.data(), size, format, &bytes);
    FinishSave(bytes);
    if (bytes > 0)
        data.SetData(buffer.data(), static_cast<int32_t>(std::min<int64_t>(bytes, size)));
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEdit::SaveToByteArray(int format)
{
    CZAVByteArray bytes;
    SaveToArray(bytes, format);
    return CreateArrayByteSp(bytes);
}

int CZAVImageEdit::GetSaveBufferSize()
{
    return ClampedResult(m_image.GetSaveBufferSize());
}

void CZAVImageEdit::SaveToStream(IStream* stream, int format)
{
    if (!stream)
        ThrowTextException("Invalid Parameter!");
    const int64_t size = m_image.GetSaveBufferSize();
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    int64_t bytes = 0;
    m_image.SaveToMemory(buffer.data(), size, format, &bytes);
    ULONG written = 0;
    if (bytes > 0 && (FAILED(stream->Write(buffer.data(), static_cast<ULONG>(bytes), &written)) ||
                      written != static_cast<ULONG>(bytes)))
        ThrowTextException("Error writing stream!");
}

int CZAVImageEdit::AddImportExportDll(const std::string& path, const std::string&)
{
    int id = 0;
    CImportExportDlls& plugins = m_image.GetImportExportDlls();
    if (!plugins.BindDll(path.c_str(), &id))
        ThrowTextException(plugins.GetLastError().GetText());
    return id;
}

int CZAVImageEdit::GetPageCountFromFile(const std::string& fileName)
{
    return ZAV::GetPageCountFromFile(m_image, fileName.c_str());
}

int CZAVImageEdit::GetPageCountFromMem(const void* data, int size)
{
    return ZAV::GetPageCountFromMem(m_image, data, size);
}

int CZAVImageEdit::GetLastSaveResult()
{
    return m_lastSaveResult;
}

}  // namespace ZAV
