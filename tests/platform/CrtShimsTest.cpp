#include "platform/CrtShims.h"
#include "platform/LastError.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(CrtShims, FopenSOpensAndReportsFailures)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("a.txt"), "abc");

    FILE* file = reinterpret_cast<FILE*>(1);
    ASSERT_EQ(fopen_s(&file, dir.File("a.txt").c_str(), "rb"), 0);
    ASSERT_NE(file, nullptr);
    char buffer[4] = {};
    EXPECT_EQ(std::fread(buffer, 1, 3, file), 3u);
    EXPECT_STREQ(buffer, "abc");
    std::fclose(file);

    SetLastError(ERROR_SUCCESS);
    file = reinterpret_cast<FILE*>(1);
    EXPECT_EQ(fopen_s(&file, dir.File("missing.txt").c_str(), "rb"), ENOENT);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(fopen_s(&file, dir.File("no/such/folder.txt").c_str(), "wb"), ENOENT);
    EXPECT_EQ(fopen_s(&file, nullptr, "rb"), EINVAL);
    EXPECT_EQ(file, nullptr);
}

TEST(CrtShims, CaseInsensitiveComparisons)
{
    EXPECT_EQ(_stricmp("Scan.TIF", "scan.tif"), 0);
    EXPECT_LT(_stricmp("abc", "ABD"), 0);
    EXPECT_GT(_stricmp("abcd", "ABC"), 0);
    EXPECT_EQ(_strnicmp("JPEG2000", "jpeg", 4), 0);
    EXPECT_NE(_strnicmp("JPEG2000", "jpgx", 4), 0);
    EXPECT_EQ(_strnicmp("a", "b", 0), 0);
}
