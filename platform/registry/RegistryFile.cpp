#include "platform/registry/RegistryFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/LastError.h"
#include "platform/PlatformLimits.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegistryStore {

namespace {

// Creates the folders of a path that are missing.
bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat info;
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    size_t cut = folder.rfind('/');
    if (cut != std::string::npos && cut > 0 && !MakeFolders(folder.substr(0, cut)))
        return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

DWORD LoadStore(Store& store)
{
    const std::string path = GetRegistryStorePath();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno == ENOENT) {
            SeedStore(store);
            return ERROR_SUCCESS;
        }
        return ErrnoToLastError(errno);
    }
    std::string text;
    char buffer[65536];
    size_t got = 0;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > static_cast<size_t>(kMaxStoreFileBytes)) {
            tooLarge = true;
            break;
        }
    }
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readError)
        return ErrnoToLastError(readErrno);
    if (tooLarge || !TextToStore(text, store))
        return ERROR_BADDB;
    return ERROR_SUCCESS;
}

DWORD SaveStore(const Store& store)
{
    const std::string path = GetRegistryStorePath();
    size_t cut = path.rfind('/');
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut);
    if (!MakeFolders(folder))
        return ErrnoToLastError(errno);

    // The store may hold what the user keeps private: only the owner reads it.
    if (const int failure = ReplaceFileAtomically(path, StoreToText(store), 0600))
        return ErrnoToLastError(failure);
    return ERROR_SUCCESS;
}

}  // namespace RegistryStore

std::string GetRegistryStorePath()
{
    const char* explicitPath = std::getenv("ZAVPDF_REGISTRY");
    if (explicitPath && *explicitPath)
        return explicitPath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/ZAVPdf/registry";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user && user->pw_dir ? user->pw_dir : "";
    }
    return std::string(home) + "/.config/ZAVPdf/registry";
}
