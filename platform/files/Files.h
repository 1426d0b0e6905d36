// Files and folders: attributes, deletion, temporary names and folder
// listings, in the Windows spelling the code was designed with.
//
// Listings differ from the original platform in two ways that make runs
// repeatable: entries come sorted by name (byte order), and "." and ".."
// are left out. Masks match case-insensitively; several masks may be given
// separated by ";" ("*.JPG;*.gif"), and "*.*" also matches names without a dot.
#pragma once

#include "platform/LastError.h"
#include "platform/WinTypes.h"

#include <cstdint>

using HANDLE = void*;

// The longest path the system accepts.
constexpr DWORD MAX_PATH = 4096;

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The handle a failed FindFirstFileA returns.
extern const HANDLE INVALID_HANDLE_VALUE;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    uint64_t nFileSize;
    char cFileName[MAX_PATH];
};

// The attribute bits of a file or folder (symbolic links followed), or
// INVALID_FILE_ATTRIBUTES with the last error set.
DWORD GetFileAttributesA(const char* path);

// Deletes a file (not a folder); FALSE with the last error on failure.
BOOL DeleteFileA(const char* path);

// The temporary folder, $TMPDIR or else /tmp, ending in "/". Returns its
// length; when the buffer is too small, the size needed (zero included) and
// nothing is written. 0 on failure.
DWORD GetTempPathA(DWORD bufferSize, char* buffer);

// A file name in the folder made of the first three characters of the prefix,
// a unique part and ".tmp", written into name (MAX_PATH bytes). With unique 0
// the name is new and the file is created empty; otherwise the name is built
// from the number and nothing is created. Returns a non-zero number on
// success, 0 with the last error on failure.
UINT GetTempFileNameA(const char* folder, const char* prefix, UINT unique, char* name);

// Lists "folder/mask" (a bare mask lists the current folder). The first entry
// is in data; INVALID_HANDLE_VALUE when the folder cannot be read
// (ERROR_PATH_NOT_FOUND ...) or nothing matches (ERROR_FILE_NOT_FOUND).
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// The next entry; FALSE with ERROR_NO_MORE_FILES after the last.
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

// True when the name matches one of the ";"-separated masks, ignoring case.
bool MatchFileMask(const char* name, const char* masks);
