// The system version record. The code was written to tell Windows families
// apart; here the layer reports one fixed record, Windows NT 6.1, which tests
// may replace to reach the other branches.
#pragma once

#include "platform/WinTypes.h"

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};

// Low byte the major version, next byte the minor version, high word the
// build number; bit 31 set for a platform other than NT.
DWORD GetVersion();

// Fills the record when its size field holds sizeof(OSVERSIONINFOA); else
// FALSE with last error ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionExA(OSVERSIONINFOA* info);

// Tests replace the reported record; null restores the NT 6.1 record.
void SetVersionRecord(const OSVERSIONINFOA* info);
