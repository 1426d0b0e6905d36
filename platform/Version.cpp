#include "platform/Version.h"

#include "platform/LastError.h"

#include <cstring>
#include <mutex>

namespace {

// constexpr, so the record is set before any start-up initialiser asks.
constexpr OSVERSIONINFOA DefaultRecord()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    info.dwMajorVersion = 6;
    info.dwMinorVersion = 1;
    info.dwBuildNumber = 7601;
    info.dwPlatformId = VER_PLATFORM_WIN32_NT;
    return info;
}

std::mutex g_versionMutex;
OSVERSIONINFOA g_version = DefaultRecord();

OSVERSIONINFOA CurrentRecord()
{
    std::lock_guard<std::mutex> lock(g_versionMutex);
    return g_version;
}

}  // namespace

DWORD GetVersion()
{
    const OSVERSIONINFOA info = CurrentRecord();
    DWORD version = (info.dwMajorVersion & 0xFF) | ((info.dwMinorVersion & 0xFF) << 8);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
        version |= (info.dwBuildNumber & 0x7FFF) << 16;
    else
        version |= 0x80000000u;
    return version;
}

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *info = CurrentRecord();
    return TRUE;
}

void SetVersionRecord(const OSVERSIONINFOA* info)
{
    std::lock_guard<std::mutex> lock(g_versionMutex);
    g_version = info ? *info : DefaultRecord();
    g_version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
}
