#include "image/core/SystemVersionRecord.h"

namespace ZAV {

void CSystemVersionRecord::Fill()
{
    info = OSVERSIONINFOA{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(&info);
    const bool atLeast41 = info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion >= 1);
    isWindows9x41 = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && atLeast41;
    isNT41 = info.dwPlatformId == VER_PLATFORM_WIN32_NT && atLeast41;
    isEither41 = isWindows9x41 || isNT41;
    isNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace ZAV
