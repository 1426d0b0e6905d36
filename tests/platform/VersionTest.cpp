#include "platform/LastError.h"
#include "platform/Version.h"

#include <gtest/gtest.h>

TEST(Version, ReportsNT61UnlessReplaced)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_EQ(GetVersionExA(&info), TRUE);
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(GetVersion() & 0xFFFF, 0x0106u);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u);

    OSVERSIONINFOA windows98{};
    windows98.dwMajorVersion = 4;
    windows98.dwMinorVersion = 10;
    windows98.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    SetVersionRecord(&windows98);
    EXPECT_EQ(GetVersion(), 0x80000A04u);
    ASSERT_EQ(GetVersionExA(&info), TRUE);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
    SetVersionRecord(nullptr);
    EXPECT_EQ(GetVersion() & 0xFFFF, 0x0106u);
}

TEST(Version, RefusesARecordOfTheWrongSize)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 20;
    EXPECT_EQ(GetVersionExA(&info), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetVersionExA(nullptr), FALSE);
}
