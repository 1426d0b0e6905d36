#include "platform/files/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Names tried beside the target before giving up.
constexpr int kTemporaryNameAttempts = 100;

int WriteAll(int fd, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

int CreateTemporaryBeside(const std::string& path, mode_t mode, std::string& tempName)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        tempName = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int ReplaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode)
{
    return ReplaceFileAtomically(
        path, [&bytes](int fd) { return WriteAll(fd, bytes); }, mode);
}

int ReplaceFileAtomically(const std::string& path, const std::function<int(int fd)>& writeContent, mode_t mode)
{
    std::string tempName;
    const int fd = CreateTemporaryBeside(path, mode, tempName);
    if (fd < 0)
        return errno;
    int failure = 0;
    try {
        failure = writeContent(fd);
    } catch (...) {
        close(fd);
        unlink(tempName.c_str());
        throw;
    }
    if (!failure && fsync(fd) != 0)
        failure = errno;
    if (close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && std::rename(tempName.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure)
        unlink(tempName.c_str());
    return failure;
}
