#include "platform/files/Files.h"

#include "platform/LastError.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using ZAVTest::ScopedEnv;

namespace {

std::vector<std::string> List(const std::string& pattern, DWORD* errorWhenEmpty = nullptr)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        if (errorWhenEmpty)
            *errorWhenEmpty = GetLastError();
        return names;
    }
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            name += "/";
        names.push_back(name);
    } while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(find));
    return names;
}

}  // namespace

TEST(Files, MasksMatchIgnoringCase)
{
    struct Case {
        const char* name;
        const char* masks;
        bool match;
    };
    const Case cases[] = {
        {"a.JPG", "*.jpg", true},
        {"a.jpg", "*.JPG;*.gif", true},
        {"b.GIF", "*.JPG;*.gif", true},
        {"c.png", "*.JPG;*.gif", false},
        {"README", "*.*", true},
        {"README", "*.", true},
        {"a.b", "*.", false},
        {"a.tar.gz", "*.gz", true},
        {"a.tar.gz", "*.tar", false},
        {"page1.tif", "page?.TIF", true},
        {"page10.tif", "page?.tif", false},
        {"x", "*", true},
        {"x", "", false},
        {"a.jpg", ";;*.jpg", true},
        {"ab", "a*b*", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFileMask(c.name, c.masks), c.match) << c.name << " against " << c.masks;
}

TEST(Files, FolderListingIsSortedAndFiltered)
{
    ZAVTest::TempDir dir;
    for (const char* name : {"b.gif", "A.JPG", "c.jpg", "Z.Gif", "notes.txt", "README"})
        ZAVTest::WriteText(dir.File(name), "x");
    mkdir(dir.File("sub.jpg").c_str(), 0755);

    EXPECT_EQ(List(dir.Path() + "/*.JPG;*.gif"),
              (std::vector<std::string>{"A.JPG", "Z.Gif", "b.gif", "c.jpg", "sub.jpg/"}));
    EXPECT_EQ(List(dir.Path() + "/*.*"),
              (std::vector<std::string>{"A.JPG", "README", "Z.Gif", "b.gif", "c.jpg", "notes.txt", "sub.jpg/"}));

    DWORD error = 0;
    EXPECT_TRUE(List(dir.Path() + "/*.bmp", &error).empty());
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(List(dir.File("missing") + "/*.*", &error).empty());
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
}

TEST(Files, MaskWithoutAFolderListsTheCurrentFolder)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("a.txt"), "abc");
    mkdir(dir.File("sub").c_str(), 0755);
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    const std::vector<std::string> names = List("*");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("a.txt", &data);
    const bool found = find != INVALID_HANDLE_VALUE;
    if (found)
        FindClose(find);
    ASSERT_EQ(chdir(previous), 0);

    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub/"}));
    ASSERT_TRUE(found);
    EXPECT_EQ(data.nFileSize, 3u);
}

TEST(Files, AttributesAndDeletion)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("f"), "x");
    EXPECT_EQ(GetFileAttributesA(dir.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(dir.File("f").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesA(dir.File("missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(DeleteFileA(dir.File("f").c_str()));
    EXPECT_FALSE(ZAVTest::FileExists(dir.File("f")));
    EXPECT_FALSE(DeleteFileA(dir.File("f").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA(dir.Path().c_str()));  // folders are not files
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(Files, TemporaryFolderAndNames)
{
    ZAVTest::TempDir dir;
    char buffer[MAX_PATH];
    {
        ScopedEnv tmp("TMPDIR", dir.Path().c_str());
        DWORD length = GetTempPathA(MAX_PATH, buffer);
        EXPECT_EQ(std::string(buffer), dir.Path() + "/");
        EXPECT_EQ(length, dir.Path().size() + 1);
        char tiny[4];
        EXPECT_EQ(GetTempPathA(sizeof tiny, tiny), dir.Path().size() + 2);
    }
    {
        ScopedEnv tmp("TMPDIR", nullptr);
        GetTempPathA(MAX_PATH, buffer);
        EXPECT_STREQ(buffer, "/tmp/");
    }

    char first[MAX_PATH], second[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(dir.Path().c_str(), "zavpdf", 0, first), 0u);
    ASSERT_NE(GetTempFileNameA((dir.Path() + "/").c_str(), "zavpdf", 0, second), 0u);
    EXPECT_NE(std::string(first), std::string(second));
    for (const std::string name : {first, second}) {
        EXPECT_EQ(name.substr(0, dir.Path().size() + 4), dir.Path() + "/zav") << name;
        EXPECT_EQ(name.substr(name.size() - 4), ".tmp") << name;
        EXPECT_TRUE(ZAVTest::FileExists(name)) << name;  // created empty
    }
    ASSERT_EQ(GetTempFileNameA(dir.Path().c_str(), "ab", 0x1A2B, first), 0x1A2Bu);
    EXPECT_EQ(std::string(first), dir.Path() + "/ab1A2B.tmp");
    EXPECT_FALSE(ZAVTest::FileExists(first));
    EXPECT_EQ(GetTempFileNameA(dir.File("missing").c_str(), "x", 0, first), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
