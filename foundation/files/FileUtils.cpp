#include "foundation/files/FileUtils.h"

#include "foundation/files/FileHandle.h"
#include "foundation/FoundationLimits.h"
#include "foundation/text/TextException.h"
#include "platform/CrtShims.h"
#include "platform/files/Files.h"
#include "platform/LastError.h"
#include "platform/Loader.h"

#include <cstring>
#include <new>
#include <sys/stat.h>

namespace ZAV {

namespace {

const DWORD kNameBufferSize = 2048;

// Opens for reading; null for a folder, which the C library would open too.
FILE* OpenRegularForReading(const char* name)
{
    FILE* file = nullptr;
    if (!name || fopen_s(&file, name, "rb") != 0 || !file)
        return nullptr;
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return file;
}

bool StatPath(const char* path, struct stat& info)
{
    if (!path)
        return false;
    String trimmed(path);
    trimmed.RemoveTrailingBackslash(true);
    return stat(trimmed.GetText(), &info) == 0;
}

}  // namespace

bool FileExists(const char* name)
{
    FILE* file = OpenRegularForReading(name);
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

bool FileExists(const std::string& name)
{
    return FileExists(name.c_str());
}

bool PathExists(const char* path)
{
    struct stat info;
    return StatPath(path, info);
}

bool IsFolder(const char* path)
{
    struct stat info;
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

void DeleteFileChecked(const char* name)
{
    if (!DeleteFileA(name)) {
        String text;
        text.Format("Can't delete file '%s'!", name ? name : "");
        ThrowLastError(text.GetText());
    }
}

uint64_t GetFileSizeByName(const char* name)
{
    FILE* file = OpenRegularForReading(name);
    if (!file)
        return 0;
    struct stat info;
    uint64_t size = fstat(fileno(file), &info) == 0 && info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    std::fclose(file);
    return size;
}

bool ReadFileToBuffer(const char* name, unsigned char*& buffer, size_t& size)
{
    buffer = nullptr;
    size = 0;
    FILE* file = OpenRegularForReading(name);
    if (!file)
        return false;
    off_t length = -1;
    if (fseeko(file, 0, SEEK_END) == 0)
        length = ftello(file);
    // A size the stream cannot tell, or one too large to hold, is refused.
    if (length < 0 || static_cast<uint64_t>(length) > kMaxFileToBufferSize || fseeko(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return false;
    }
    size_t count = static_cast<size_t>(length);
    unsigned char* data = new (std::nothrow) unsigned char[count + 1];
    if (!data) {
        std::fclose(file);
        return false;
    }
    size_t got = count > 0 ? std::fread(data, 1, count, file) : 0;
    std::fclose(file);
    // A file that shrank while it was read is not handed back in part.
    if (got != count) {
        delete[] data;
        return false;
    }
    data[count] = 0;
    buffer = data;
    size = count;
    return true;
}

bool WriteBufferToFile(const void* buffer, size_t size, const char* name)
{
    FILE* file = nullptr;
    if (!name || fopen_s(&file, name, "wb") != 0 || !file)
        return false;
    bool written = size == 0 || (buffer && std::fwrite(buffer, 1, size, file) == size);
    // Bytes still buffered can fail to reach the disk at the close.
    bool closed = std::fclose(file) == 0;
    return written && closed;
}

String GetTempFolder()
{
    char buffer[kNameBufferSize];
    DWORD length = GetTempPathA(kNameBufferSize, buffer);
    if (length == 0 || length >= kNameBufferSize)
        ThrowLastError("Can't get temporary foldername!");
    return String(buffer);
}

String MakeTempFileName(const char* prefix)
{
    String folder = GetTempFolder();
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.GetText(), prefix ? prefix : "", 0, name) == 0)
        ThrowLastError("Can't get name of temporary file!");
    return String(name);
}

void ReadTextFileLines(const char* name, std::vector<String>& lines, bool keepEmpty)
{
    CFileHandle file;
    file.Open(name, "rb");
    std::string line;
    bool more = true;
    while (more) {
        line.clear();
        int c;
        while ((c = std::getc(file.GetFile())) != EOF && c != '\n')
            line += static_cast<char>(c);
        more = c != EOF;
        // The last read before the end brings nothing: no line.
        if (!more && line.empty())
            break;
        size_t cr = line.find('\r');
        if (cr != std::string::npos)
            line.resize(cr);
        if (keepEmpty || !line.empty())
            lines.push_back(String(line));
    }
}

void EnumerateFiles(const char* folder, const char* mask, std::vector<String>& found, bool clear, bool wantFolders,
                    bool wantFiles)
{
    if (clear)
        found.clear();
    String base(folder ? folder : "");
    base.AddTrailingBackslash(true);
    String pattern = base + String(mask ? mask : "");

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.GetText(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder) {
            if (wantFolders && std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0)
                found.push_back(base + String(data.cFileName));
        } else if (wantFiles) {
            found.push_back(base + String(data.cFileName));
        }
    } while (FindNextFileA(find, &data));
    DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
        char text[kSystemMessageBufferSize];
        throw CTextException(FormatSystemMessage(error, "Error enumerating files!", text));
    }
}

String GetModulePath(HMODULE module)
{
    char buffer[kNameBufferSize] = "";
    if (GetModuleFileNameA(module, buffer, kNameBufferSize) == 0)
        buffer[0] = 0;
    return String(buffer);
}

String GetModuleDirectory(HMODULE module)
{
    return GetPathDirectory(GetModulePath(module));
}

}  // namespace ZAV
