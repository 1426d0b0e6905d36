// Saving through a built-in encoder or a plug-in. A file is written beside
// its target and renamed over it only once the encoder succeeded, so a
// failure never leaves a half-written file or harms an older one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <unistd.h>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/codec/CodecErrorText.h"
#include "formats/codec/PicCodecFactory.h"
#include "image/io/SinkRun.h"
#include "image/object/ZAVImg.h"
#include "platform/files/AtomicFile.h"
#include "platform/win/Timers.h"

namespace ZAV {

namespace {

constexpr int kFormatGif = 15;
// Read and write for all, as the umask allows.
constexpr mode_t kNewFileMode = 0666;
// The formats a built-in encoder writes.
constexpr int kSavableFormats[] = {3, 17, 4, 5, 18, 11, 6, 7, 1, 10, 12, 13, 14, 15, 16, 93, 94};
// The formats whose encoder writes many pictures into one file.
constexpr int kMultipageFormats[] = {5, 18, 11, 15, 17};

bool Holds(const int* begin, const int* end, int format)
{
    for (const int* it = begin; it != end; ++it)
        if (*it == format)
            return true;
    return false;
}

[[noreturn]] void ThrowText(const std::string& text)
{
    ThrowTextException(text.c_str());
}

// A temporary file beside the target, removed unless Commit renamed it.
// It is created with the mode of any new file (0666 less the umask), not
// mkstemp's 0600, because the rename makes it the saved file itself.
class CTemporaryBeside {
public:
    explicit CTemporaryBeside(const std::string& target) : m_target(target)
    {
        const int fd = CreateTemporaryBeside(target, kNewFileMode, m_path);
        if (fd < 0)
            m_path.clear();
        else
            close(fd);
    }
    ~CTemporaryBeside()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
    }
    const char* Path() const { return m_path.c_str(); }
    bool Valid() const { return !m_path.empty(); }
    bool Commit()
    {
        if (std::rename(m_path.c_str(), m_target.c_str()) != 0)
            return false;
        m_path.clear();
        return true;
    }

private:
    std::string m_target;
    std::string m_path;
};

// The multipage encoder of the format, chosen before anything is opened
// so that a refusal makes no file, with each image fitted to the format.
std::unique_ptr<CPicEncoder> MultipageEncoder(CZAVImg** images, int count, int format, bool prepare)
{
    if (format == 0 || format == 255)
        ThrowTextException("Invalid Imageformat!");
    std::unique_ptr<CPicEncoder> encoder =
        Holds(std::begin(kMultipageFormats), std::end(kMultipageFormats), format) ? MakePicEncoder(format) : nullptr;
    if (!encoder)
        ThrowTextException("Error saving multipage image. Invalid ImageFormat! (TIF, PDF, DCX supported)");
    for (int i = 0; prepare && i < count; ++i)
        images[i]->CheckSaveOptions(format);
    return encoder;
}

uint32_t EncodeMultipage(CZAVImg& image, CPicEncoder& encoder, CZAVImg** images, int count, CDataSource& target,
                         int flag)
{
    uint32_t bytes = 0;
    CSinkRun run(image.GetNotification());
    if (!encoder.SaveMultiPicture(&image, images, count, &target, flag, &bytes))
        ThrowTextException("Error saving multipage image. Invalid ImageFormat! (TIF, PDF, DCX supported)");
    return bytes;
}

}  // namespace

void CZAVImg::SaveByFormat(CDataSource& target, int format, int64_t& bytesWritten)
{
    const bool builtIn =
        Holds(std::begin(kSavableFormats), std::end(kSavableFormats), format) && (format != kFormatGif || m_gifEnabled);
    std::unique_ptr<CPicEncoder> encoder = builtIn ? MakePicEncoder(format) : nullptr;
    if (!encoder)
        ThrowTextException("Error saving image. Invalid ImageFormat!");
    uint32_t bytes = 0;
    encoder->SavePicture(this, &target, &bytes);
    bytesWritten = bytes;
}

void CZAVImg::EncodeBuiltIn(CDataSource& target, int format, int64_t& bytesWritten, const char* otherFailure)
{
    // A message an earlier load left behind says nothing about this save.
    GetCodecErrorText()[0] = 0;
    try {
        SaveByFormat(target, format, bytesWritten);
    } catch (const CTextException& e) {
        ThrowText(std::string(e.GetText()) + "; " + GetCodecErrorText());
    } catch (...) {
        ThrowText(std::string(otherFailure) + "; " + GetCodecErrorText());
    }
}

const CFileFormatProvider* CZAVImg::PrepareSave(int format)
{
    if (m_prepareBeforeSave)
        CheckSaveOptions(format);
    m_saveMilliseconds = 0;
    if (format == 0 || format == 255)
        ThrowTextException("Invalid Imageformat!");
    const CFileFormatProvider* provider = m_providers.GetProvider(static_cast<zavImgFormat>(format), false);
    if (!provider || provider->GetId() == 0 ||
        (!IsPluginMode(provider->GetSaveMode()) && provider->GetSaveMode() != zavpmBuiltIn))
        ThrowTextException("Error saving the image! No format provider found.");
    return provider;
}

void CZAVImg::SaveToFile(const char* path, int format, int64_t* bytesWritten)
{
    const uint32_t start = GetTickCount();
    const CFileFormatProvider* provider = PrepareSave(format);
    CTemporaryBeside temporary(path);
    if (!temporary.Valid())
        ThrowText(std::string("Error saving to file '") + path + "'");
    int64_t bytes = 0;
    if (IsPluginMode(provider->GetSaveMode())) {
        uint32_t pluginBytes = 0;
        if (!m_dlls.SaveImageToFile(this, temporary.Path(), provider->GetSavePlugin(), &pluginBytes))
            ThrowText(std::string("Error saving to file!; ") + m_dlls.m_lastError.GetText());
        bytes = pluginBytes;
    } else {
        CSinkRun run(GetNotification());
        CDataSource target(GetNotification());
        if (!target.OpenFileForWriting(temporary.Path(), false))
            ThrowText(std::string("Error saving to file '") + path + "'");
        EncodeBuiltIn(target, format, bytes, "Error saving to file!");
        if (!target.Close())
            ThrowText(std::string("Error saving to file '") + path + "'");
    }
    if (!temporary.Commit())
        ThrowText(std::string("Error saving to file '") + path + "'");
    if (bytesWritten)
        *bytesWritten = bytes;
    m_saveMilliseconds = static_cast<int>(GetTickCount() - start);
}

void CZAVImg::SaveToMemory(void* block, int64_t size, int format, int64_t* bytesWritten)
{
    const uint32_t start = GetTickCount();
    const CFileFormatProvider* provider = PrepareSave(format);
    int64_t bytes = 0;
    if (IsPluginMode(provider->GetSaveMode())) {
        // Plug-ins take a 32-bit size; a larger block offers them that much.
        const uint32_t offered = static_cast<uint32_t>(std::min<int64_t>(std::max<int64_t>(size, 0), UINT32_MAX));
        uint32_t pluginBytes = 0;
        if (!block || !m_dlls.SaveImageToMem(this, block, offered, provider->GetSavePlugin(), &pluginBytes))
            ThrowText(std::string("Error saving to memory!; ") + m_dlls.m_lastError.GetText());
        bytes = pluginBytes;
    } else {
        CSinkRun run(GetNotification());
        CDataSource target(GetNotification());
        // The block takes at most its size: a picture that needs more fails.
        if (!block || size < 0 || !target.OpenMemoryForWriting(block, static_cast<size_t>(size)))
            ThrowTextException("Error saving to memory!");
        EncodeBuiltIn(target, format, bytes, "Error saving to Memory!");
    }
    if (bytesWritten)
        *bytesWritten = bytes;
    m_saveMilliseconds = static_cast<int>(GetTickCount() - start);
}

void CZAVImg::SaveMultipageToFile(const char* path, CZAVImg** images, int count, int format, int flag,
                                  int64_t* bytesWritten)
{
    const uint32_t start = GetTickCount();
    std::unique_ptr<CPicEncoder> encoder = MultipageEncoder(images, count, format, m_prepareBeforeSave != 0);
    CTemporaryBeside temporary(path);
    CDataSource target(GetNotification());
    if (!temporary.Valid() || !target.OpenFileForWriting(temporary.Path(), false))
        ThrowText(std::string("Error saving multipage image to file '") + path + "'");
    const uint32_t bytes = EncodeMultipage(*this, *encoder, images, count, target, flag);
    if (!target.Close() || !temporary.Commit())
        ThrowText(std::string("Error saving multipage image to file '") + path + "'");
    if (bytesWritten)
        *bytesWritten = bytes;
    m_saveMilliseconds = static_cast<int>(GetTickCount() - start);
}

void CZAVImg::SaveMultipageToMem(CZAVImg** images, int count, void* block, int64_t size, int format, int flag,
                                 int64_t* bytesWritten)
{
    const uint32_t start = GetTickCount();
    std::unique_ptr<CPicEncoder> encoder = MultipageEncoder(images, count, format, m_prepareBeforeSave != 0);
    CDataSource target(GetNotification());
    // The block takes at most its size: pages that need more fail.
    if (!block || size < 0 || !target.OpenMemoryForWriting(block, static_cast<size_t>(size)))
        ThrowTextException("Error saving multipage image to memory!");
    const uint32_t bytes = EncodeMultipage(*this, *encoder, images, count, target, flag);
    if (bytesWritten)
        *bytesWritten = bytes;
    m_saveMilliseconds = static_cast<int>(GetTickCount() - start);
}

}  // namespace ZAV
