#include "platform/files/Files.h"

#include "platform/LastError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~uintptr_t(0));

namespace {

DWORD AttributesOf(const struct stat& info)
{
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (!(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// One mask against a name: "*" any run, "?" any one character, case ignored.
bool MatchOne(const char* name, const char* mask, size_t maskLength)
{
    size_t n = 0, m = 0;
    size_t starMask = std::string::npos, starName = 0;
    size_t nameLength = std::strlen(name);
    while (n < nameLength) {
        if (m < maskLength && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < maskLength && (mask[m] == '?' || std::tolower(static_cast<unsigned char>(mask[m])) ==
                                                            std::tolower(static_cast<unsigned char>(name[n])))) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < maskLength && mask[m] == '*')
        ++m;
    return m == maskLength;
}

struct FoundEntry {
    std::string name;
    DWORD attributes;
    uint64_t size;
};

struct FindState {
    std::vector<FoundEntry> entries;
    size_t next = 0;
};

void Deliver(FindState& state, WIN32_FIND_DATAA* data)
{
    const FoundEntry& entry = state.entries[state.next++];
    data->dwFileAttributes = entry.attributes;
    data->nFileSize = entry.size;
    std::snprintf(data->cFileName, sizeof data->cFileName, "%s", entry.name.c_str());
}

}  // namespace

bool MatchFileMask(const char* name, const char* masks)
{
    if (!name || !masks)
        return false;
    // A name without a dot is matched as if it ended in one, so that "*.*"
    // and "*." find it as they do on the original platform.
    std::string dotted = std::string(name) + ".";
    bool hasDot = std::strchr(name, '.') != nullptr;
    const char* start = masks;
    for (;;) {
        const char* end = std::strchr(start, ';');
        size_t length = end ? size_t(end - start) : std::strlen(start);
        if (length > 0 && (MatchOne(name, start, length) || (!hasDot && MatchOne(dotted.c_str(), start, length))))
            return true;
        if (!end)
            return false;
        start = end + 1;
    }
}

DWORD GetFileAttributesA(const char* path)
{
    struct stat info;
    if (!path || stat(path, &info) != 0) {
        SetLastErrorFromErrno(path ? errno : EINVAL);
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(info);
}

BOOL DeleteFileA(const char* path)
{
    struct stat info;
    if (!path || lstat(path, &info) != 0) {
        SetLastErrorFromErrno(path ? errno : EINVAL);
        return FALSE;
    }
    if (S_ISDIR(info.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

DWORD GetTempPathA(DWORD bufferSize, char* buffer)
{
    const char* base = std::getenv("TMPDIR");
    std::string folder = base && *base ? base : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    if (folder.size() + 1 > bufferSize || !buffer)
        return static_cast<DWORD>(folder.size() + 1);
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<DWORD>(folder.size());
}

UINT GetTempFileNameA(const char* folder, const char* prefix, UINT unique, char* name)
{
    if (!folder || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += std::string(prefix ? prefix : "").substr(0, 3);
    if (unique != 0) {
        char number[8];
        std::snprintf(number, sizeof number, "%04X", unique & 0xFFFFu);
        path += number;
        path += ".tmp";
        if (path.size() + 1 > MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return 0;
        }
        std::memcpy(name, path.c_str(), path.size() + 1);
        return unique;
    }
    path += "XXXXXX.tmp";
    if (path.size() + 1 > MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    std::vector<char> pattern(path.begin(), path.end());
    pattern.push_back('\0');
    int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return 0;
    }
    close(fd);
    std::memcpy(name, pattern.data(), pattern.size());
    // The unique part read as a number, never 0.
    UINT number = 0;
    for (size_t i = pattern.size() - 11; i < pattern.size() - 5; ++i)
        number = number * 31 + static_cast<unsigned char>(pattern[i]);
    return number ? number : 1;
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data)
{
    if (!pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string text = pattern;
    size_t slash = text.rfind('/');
    // The folder keeps its final "/": entry names are appended to it.
    std::string folder = slash == std::string::npos ? "./" : text.substr(0, slash + 1);
    std::string masks = slash == std::string::npos ? text : text.substr(slash + 1);

    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        DWORD error = SetLastErrorFromErrno(errno);
        if (error == ERROR_FILE_NOT_FOUND)
            SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FindState* state = new FindState;
    while (struct dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || !MatchFileMask(name, masks.c_str()))
            continue;
        // A dangling link is listed as a plain file.
        FoundEntry found{name, FILE_ATTRIBUTE_NORMAL, 0};
        struct stat info;
        std::string full = folder + name;
        if (stat(full.c_str(), &info) == 0) {
            found.attributes = AttributesOf(info);
            found.size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
        }
        state->entries.push_back(found);
    }
    closedir(dir);
    std::sort(state->entries.begin(), state->entries.end(),
              [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
    if (state->entries.empty()) {
        delete state;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Deliver(*state, data);
    return state;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data)
{
    if (!find || find == INVALID_HANDLE_VALUE || !data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    FindState* state = static_cast<FindState*>(find);
    if (state->next >= state->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    Deliver(*state, data);
    return TRUE;
}

BOOL FindClose(HANDLE find)
{
    if (!find || find == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<FindState*>(find);
    return TRUE;
}
