#include "platform/LastError.h"

#include <cerrno>
#include <cstdio>

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

struct ErrnoCode {
    int err;
    DWORD code;
};

const ErrnoCode kErrnoCodes[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},      {ENOTDIR, ERROR_PATH_NOT_FOUND},   {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES}, {EACCES, ERROR_ACCESS_DENIED},     {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},       {EBADF, ERROR_INVALID_HANDLE},     {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EROFS, ERROR_WRITE_PROTECT},        {EBUSY, ERROR_SHARING_VIOLATION},  {ETXTBSY, ERROR_SHARING_VIOLATION},
    {EEXIST, ERROR_FILE_EXISTS},         {EINVAL, ERROR_INVALID_PARAMETER}, {EPIPE, ERROR_BROKEN_PIPE},
    {ENOSPC, ERROR_DISK_FULL},           {EDQUOT, ERROR_DISK_FULL},         {EFBIG, ERROR_DISK_FULL},
    {ERANGE, ERROR_INSUFFICIENT_BUFFER}, {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},  {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {ELOOP, ERROR_BAD_PATHNAME},         {ENOSYS, ERROR_NOT_SUPPORTED},     {ENOTSUP, ERROR_NOT_SUPPORTED},
};

struct CodeText {
    DWORD code;
    const char* text;
};

const CodeText kCodeTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "The function is not valid."},
    {ERROR_FILE_NOT_FOUND, "The file could not be found."},
    {ERROR_PATH_NOT_FOUND, "The path could not be found."},
    {ERROR_TOO_MANY_OPEN_FILES, "Too many files are open."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is not valid."},
    {ERROR_NOT_ENOUGH_MEMORY, "There is not enough memory for this operation."},
    {ERROR_INVALID_DATA, "The data is not valid."},
    {ERROR_WRITE_PROTECT, "The medium is write-protected."},
    {ERROR_GEN_FAILURE, "The operation failed in the system."},
    {ERROR_SHARING_VIOLATION, "The file is in use by another process."},
    {ERROR_HANDLE_EOF, "The end of the file has been reached."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_FILE_EXISTS, "The file already exists."},
    {ERROR_INVALID_PARAMETER, "A parameter is not valid."},
    {ERROR_BROKEN_PIPE, "The pipe has been closed."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed is too small."},
    {ERROR_MOD_NOT_FOUND, "The module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The procedure could not be found."},
    {ERROR_DIR_NOT_EMPTY, "The folder is not empty."},
    {ERROR_BAD_PATHNAME, "The path is not valid."},
    {ERROR_ALREADY_EXISTS, "The file cannot be created because it already exists."},
    {ERROR_FILENAME_EXCED_RANGE, "The file name is too long."},
    {ERROR_DIRECTORY, "The folder name is not valid."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_MORE_DATA, "More data is available than the buffer holds."},
    {ERROR_BADDB, "The registry store is damaged."},
    {ERROR_KEY_DELETED, "The registry key has been deleted."},
};

}  // namespace

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD code)
{
    t_lastError = code;
}

DWORD ErrnoToLastError(int err)
{
    if (err == 0)
        return ERROR_SUCCESS;
    for (const ErrnoCode& entry : kErrnoCodes)
        if (entry.err == err)
            return entry.code;
    return ERROR_GEN_FAILURE;
}

DWORD SetLastErrorFromErrno(int err)
{
    t_lastError = ErrnoToLastError(err);
    return t_lastError;
}

const char* GetSystemErrorText(DWORD code)
{
    for (const CodeText& entry : kCodeTexts)
        if (entry.code == code)
            return entry.text;
    // One buffer per thread, so a text stays valid while its thread formats.
    thread_local char unknown[48];
    std::snprintf(unknown, sizeof(unknown), "Unknown error %u.", static_cast<unsigned>(code));
    return unknown;
}
