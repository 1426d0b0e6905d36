#include "platform/files/FileMapping.h"

#include "platform/LastError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

FileMapStep MapFileReadOnly(const char* path, MappedFileView& view)
{
    view = MappedFileView();
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FileMapStep::OpenFailed;
    }
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return FileMapStep::OpenFailed;
    }
    struct stat info;
    if (fstat(fd, &info) != 0) {
        SetLastErrorFromErrno(errno);
        close(fd);
        return FileMapStep::OpenFailed;
    }
    if (S_ISDIR(info.st_mode)) {
        // A folder is not a file one can open for reading.
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return FileMapStep::OpenFailed;
    }
    if (!S_ISREG(info.st_mode) || info.st_size <= 0) {
        close(fd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return FileMapStep::MappingFailed;
    }
    void* data = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    int mapError = errno;
    // The mapping keeps its own reference to the file.
    close(fd);
    if (data == MAP_FAILED) {
        SetLastErrorFromErrno(mapError);
        return FileMapStep::ViewFailed;
    }
    view.data = static_cast<const unsigned char*>(data);
    view.size = static_cast<uint64_t>(info.st_size);
    return FileMapStep::Done;
}

void UnmapFileView(MappedFileView& view)
{
    if (view.data)
        munmap(const_cast<unsigned char*>(view.data), static_cast<size_t>(view.size));
    view = MappedFileView();
}
