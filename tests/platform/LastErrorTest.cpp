#include "platform/LastError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>

TEST(LastError, ErrnoMapsToTheDesignedCodes)
{
    const struct {
        int err;
        DWORD code;
    } cases[] = {
        {0, ERROR_SUCCESS},          {ENOENT, ERROR_FILE_NOT_FOUND}, {ENOTDIR, ERROR_PATH_NOT_FOUND},
        {EACCES, ERROR_ACCESS_DENIED}, {EPERM, ERROR_ACCESS_DENIED}, {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
        {ENOSPC, ERROR_DISK_FULL},   {EEXIST, ERROR_FILE_EXISTS},   {EDOM, ERROR_GEN_FAILURE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetLastErrorFromErrno(c.err), c.code) << "errno " << c.err;
        EXPECT_EQ(GetLastError(), c.code) << "errno " << c.err;
    }
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, 2u);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, 3u);
    EXPECT_EQ(ERROR_ACCESS_DENIED, 5u);
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, 8u);
}

TEST(LastError, IsKeptPerThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seenByOther = 12345;
    std::thread other([&] {
        seenByOther = GetLastError();
        SetLastError(ERROR_FILE_NOT_FOUND);
    });
    other.join();
    EXPECT_EQ(seenByOther, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(LastError, EveryCodeTheLayerSetsHasAnEnglishText)
{
    for (int err = 0; err < 134; ++err) {
        const DWORD code = ErrnoToLastError(err);
        const char* text = GetSystemErrorText(code);
        ASSERT_NE(text, nullptr);
        EXPECT_NE(std::strncmp(text, "Unknown", 7), 0)
            << "errno " << err << " gives code " << code << " without a text";
        const size_t length = std::strlen(text);
        ASSERT_GT(length, 0u);
        EXPECT_EQ(text[length - 1], '.');
    }
    // The codes the layer sets directly, not from errno.
    const DWORD direct[] = {
        ERROR_INVALID_FUNCTION, ERROR_NO_MORE_FILES, ERROR_HANDLE_EOF,     ERROR_MOD_NOT_FOUND,
        ERROR_PROC_NOT_FOUND,   ERROR_ALREADY_EXISTS, ERROR_DIRECTORY,     ERROR_MORE_DATA,
        ERROR_BADDB,            ERROR_KEY_DELETED,   ERROR_INVALID_HANDLE, ERROR_SUCCESS,
    };
    for (const DWORD code : direct)
        EXPECT_NE(std::strncmp(GetSystemErrorText(code), "Unknown", 7), 0) << "code " << code;
    EXPECT_STREQ(GetSystemErrorText(ERROR_FILE_NOT_FOUND), "The file could not be found.");
    EXPECT_STREQ(GetSystemErrorText(99999), "Unknown error 99999.");
}
