// Loading: format detection, then a built-in decoder or a plug-in. A
// failed load leaves the image empty, and the sink's end follows every
// begin.
#include <cctype>
#include <cstdint>
#include <string>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/codec/CodecErrorText.h"
#include "formats/codec/PicCodecFactory.h"
#include "image/io/SinkRun.h"
#include "image/object/ZAVImg.h"
#include "platform/win/Timers.h"

namespace ZAV {

namespace {

constexpr int kFormatDetect = 0;
constexpr int kFormatDetectAlt = 255;
constexpr int kFormatGif = 15;

// The order the built-in decoders are asked about data; JBIG is never
// found by content.
constexpr int kContentDetectionOrder[] = {3, 4, 15, 1, 5, 6, 8, 9, 10, 12, 13, 14, 7, 16, 17, 92, 93};
// The formats a built-in decoder loads.
constexpr int kLoadableFormats[] = {3, 17, 4, 5, 18, 6, 7, 1, 8, 9, 10, 12, 13, 14, 15, 16, 92, 93, 94};

bool IsDetectRequest(int format)
{
    return format == kFormatDetect || format == kFormatDetectAlt;
}

std::string ExtensionOf(const char* path)
{
    const std::string name(path ? path : "");
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string extension = name.substr(dot + 1);
    // The registry matches extensions exactly, in capitals.
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

// Plug-ins take a 32-bit size.
bool FitsPluginSize(int64_t size)
{
    return size >= 0 && static_cast<uint64_t>(size) <= UINT32_MAX;
}

[[noreturn]] void ThrowText(const std::string& text)
{
    ThrowTextException(text.c_str());
}

}  // namespace

bool CZAVImg::HasBuiltInDecoder(int format) const
{
    if (format == kFormatGif && !m_gifEnabled)
        return false;
    for (int loadable : kLoadableFormats)
        if (loadable == format)
            return true;
    return false;
}

int CZAVImg::DetectFormatByContent(CDataSource& source)
{
    for (int format : kContentDetectionOrder) {
        if (!HasBuiltInDecoder(format))
            continue;
        std::unique_ptr<CPicDecoder> decoder = MakePicDecoder(format);
        if (!decoder)
            continue;
        source.Seek(0, 0);
        if (decoder->IsFileFormat(this, &source) != 0)
            return format;
    }
    return 0;
}

int CZAVImg::GetFileFormatFromFile(const char* path)
{
    int format = 0;
    if (m_detectByExtension == 1)
        format = m_providers.GetProviderByExtension(ExtensionOf(path).c_str(), false)->GetId();
    else if (!m_dlls.DetectFormatFromFile(path, &format)) {
        CDataSource source;
        if (!source.OpenMapped(path))
            ThrowText(std::string("Error opening file '") + path + "'");
        format = DetectFormatByContent(source);
    }
    if (format == 0)
        ThrowTextException("Error detecting FileFormat!");
    return format;
}

int CZAVImg::GetFileFormatFromMem(const void* data, int64_t size)
{
    int format = 0;
    if (!FitsPluginSize(size) || !m_dlls.DetectFormatFromMem(this, data, static_cast<uint32_t>(size), &format)) {
        CDataSource source;
        if (size < 0 || !source.OpenMemory(data, static_cast<size_t>(size)))
            ThrowTextException("Error assigning memory!");
        format = DetectFormatByContent(source);
    }
    if (format == 0)
        ThrowTextException("Error detecting FileFormat!");
    return format;
}

void CZAVImg::LoadByFormat(CDataSource& source, int format)
{
    SetImageInfo(&m_ownImageInfo);
    std::unique_ptr<CPicDecoder> decoder = HasBuiltInDecoder(format) ? MakePicDecoder(format) : nullptr;
    if (!decoder)
        ThrowTextException("Error loading image. Invalid ImageFormat!");
    decoder->SetFrameIndex(m_pageIndex);
    decoder->LoadPicture(this, &source, 0);
}

void CZAVImg::DecodeBuiltIn(CDataSource& source, int format)
{
    try {
        LoadByFormat(source, format);
    } catch (const CTextException& e) {
        const CTextException copy(e);
        Clear();
        throw copy;
    } catch (...) {
        Clear();
        ThrowText(std::string("Error loading the file! ") + GetCodecErrorText());
    }
}

void CZAVImg::LoadFromFile(const char* path, int format, int64_t offset)
{
    Clear();
    SetImageInfo(nullptr);
    m_ownImageInfo.RemoveAll();
    m_ownImageInfo.SetString("FILENAME", path);
    m_loadMilliseconds = 0;
    const uint32_t start = GetTickCount();
    if (IsDetectRequest(format))
        format = GetFileFormatFromFile(path);
    const CFileFormatProvider* provider = m_providers.GetProvider(static_cast<zavImgFormat>(format), false);
    if (!provider || provider->GetId() == 0)
        ThrowTextException("Error loading the file! No format provider found.");
    if (IsPluginMode(provider->GetLoadMode())) {
        if (m_fastThumb[0] && (m_fastThumb[1] == 0 || m_fastThumb[2] == 0))
            ThrowTextException("To enable FastThumbLoading set the properties FastThumbWidth and FastThumbHeight!");
        m_dlls.SetFastThumbValues(m_fastThumb[0], m_fastThumb[1], m_fastThumb[2]);
        CSinkRun run(GetNotification());
        if (!m_dlls.LoadImageFromFile(this, path, provider->GetLoadPlugin()))
            ThrowText(std::string("Error loading the file!; ") + m_dlls.m_lastError.GetText());
    } else if (provider->GetLoadMode() == zavpmBuiltIn) {
        CSinkRun run(GetNotification());
        CDataSource source(GetNotification());
        if (!source.OpenMapped(path))
            ThrowText(std::string("Error opening file '") + path + "'");
        if (offset != 0)
            source.Seek(offset, 0);
        DecodeBuiltIn(source, format);
    } else
        ThrowTextException("Error loading the file! No format provider found.");
    m_loadMilliseconds = static_cast<int>(GetTickCount() - start);
    m_lastLoadedFile = path;
}

void CZAVImg::LoadFromMemory(const void* data, int64_t size, int format)
{
    Clear();
    SetImageInfo(nullptr);
    m_ownImageInfo.RemoveAll();
    m_loadMilliseconds = 0;
    const uint32_t start = GetTickCount();
    if (IsDetectRequest(format))
        format = GetFileFormatFromMem(data, size);
    const CFileFormatProvider* provider = m_providers.GetProvider(static_cast<zavImgFormat>(format), false);
    if (!provider || provider->GetId() == 0)
        ThrowTextException("Error loading the file! No format provider found.");
    if (IsPluginMode(provider->GetLoadMode())) {
        CSinkRun run(GetNotification());
        if (!FitsPluginSize(size) ||
            !m_dlls.LoadImageFromMem(this, data, static_cast<uint32_t>(size), provider->GetLoadPlugin()))
            ThrowText(std::string("Error loading the file!; ") + m_dlls.m_lastError.GetText());
    } else if (provider->GetLoadMode() == zavpmBuiltIn) {
        CSinkRun run(GetNotification());
        CDataSource source(GetNotification());
        if (size < 0 || !source.OpenMemory(data, static_cast<size_t>(size)))
            ThrowTextException("Error assigning memory!");
        DecodeBuiltIn(source, format);
    } else
        ThrowTextException("Error loading the file! No format provider found.");
    m_loadMilliseconds = static_cast<int>(GetTickCount() - start);
}

int CZAVImg::GetPageCount(CDataSource& source, int format)
{
    const bool multiFrame = format == 5 || format == 18 || format == 10 || format == 17 || format == kFormatGif;
    std::unique_ptr<CPicDecoder> decoder = multiFrame ? MakePicDecoder(format) : nullptr;
    return decoder ? decoder->GetFrameCount(this, &source) : 0;
}

int CZAVImg::AddImportExportDll(const char* path)
{
    int id = 0;
    if (!m_dlls.BindDll(path, &id))
        ThrowTextException(m_dlls.GetLastError().GetText());
    return id;
}

}  // namespace ZAV
