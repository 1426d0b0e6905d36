#include "platform/Loader.h"

#include "platform/LastError.h"

#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <strings.h>
#include <unistd.h>

namespace {

// The program's own file; empty when unknown.
std::string ProgramPath()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// Where the program itself lies, with its final "/"; empty when unknown.
std::string ProgramDirectory()
{
    const std::string path = ProgramPath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ModulePath(HMODULE module)
{
    if (!module)
        return ProgramPath();
    struct link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return std::string();
    return map->l_name;
}

}  // namespace

std::string MapLibraryFileName(const char* fileName)
{
    std::string name = fileName ? fileName : "";
    const size_t length = name.size();
    if (length >= 4 && strcasecmp(name.c_str() + length - 4, ".dll") == 0)
        name.replace(length - 4, 4, ".so");
    return name;
}

HMODULE LoadLibraryA(const char* fileName)
{
    const std::string name = MapLibraryFileName(fileName);
    if (name.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* module = nullptr;
    if (name.find('/') == std::string::npos) {
        // As on the original platform, the program's own folder comes first.
        const std::string beside = ProgramDirectory() + name;
        if (access(beside.c_str(), F_OK) == 0)
            module = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (!module)
        module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return module;
}

FARPROC GetProcAddress(HMODULE module, const char* procName)
{
    if (!module || !procName) {
        SetLastError(module ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(module, procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module)
{
    if (!module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (dlclose(module) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size)
{
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string path = ModulePath(module);
    if (path.empty()) {
        buffer[0] = '\0';
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const size_t n = path.size() < size ? path.size() : size - 1;
    std::memcpy(buffer, path.c_str(), n);
    buffer[n] = '\0';
    if (n < path.size())
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<DWORD>(n);
}
