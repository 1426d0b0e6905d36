#include "foundation/window/WindowsVersion.h"

#include "platform/Version.h"

namespace ZAV {

namespace {

constexpr DWORD kNotNtFlag = 0x80000000u;
constexpr DWORD kMajorMask = 0xFF;

int NineXVersion(const OSVERSIONINFOA& record)
{
    if (record.dwMajorVersion == 4 && record.dwMinorVersion == 10)
        return 3;
    if (record.dwMajorVersion == 4 && record.dwMinorVersion == 90)
        return 4;
    return 2;
}

int NtVersion(const OSVERSIONINFOA& record)
{
    if (record.dwMajorVersion == 4)
        return 5;
    if (record.dwMajorVersion == 5)
        return record.dwMinorVersion == 0 ? 6 : record.dwMinorVersion <= 2 ? 7 : 1;
    if (record.dwMajorVersion == 6 && record.dwMinorVersion == 0)
        return 8;
    return 1;
}

}  // namespace

int GetWindowsVersion()
{
    const DWORD version = GetVersion();
    const bool nineX = (version & kNotNtFlag) != 0;
    if (nineX && (version & kMajorMask) < 4)
        return 0;
    const int familyDefault = nineX ? 2 : 1;
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(&record))
        return familyDefault;
    return nineX ? NineXVersion(record) : NtVersion(record);
}

namespace {

// Stored at start-up; nothing in the library reads it.
const int g_startupWindowsVersion = GetWindowsVersion();

}  // namespace

int GetStartupWindowsVersion()
{
    return g_startupWindowsVersion;
}

}  // namespace ZAV
