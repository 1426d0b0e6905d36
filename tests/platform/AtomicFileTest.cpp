#include "platform/files/AtomicFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

TEST(AtomicFile, ReplacesTheWholeContentAndLeavesNoTemporaryFile)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("doc.pdf");
    ZAVTest::WriteText(name, "old content that is longer");
    ASSERT_EQ(0, ReplaceFileAtomically(name, "new", 0666));
    EXPECT_EQ("new", ZAVTest::ReadText(name));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

TEST(AtomicFile, TheModeIsThatOfTheNewFile)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("store");
    ASSERT_EQ(0, ReplaceFileAtomically(name, "x", 0600));
    struct stat info {};
    ASSERT_EQ(0, stat(name.c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777u);
}

TEST(AtomicFile, AFailureKeepsWhatTheNameHeld)
{
    ZAVTest::TempDir dir;
    // A folder cannot be replaced by a file: the rename fails after the write.
    const std::string folder = dir.File("taken");
    std::filesystem::create_directory(folder);
    ZAVTest::WriteText(folder + "/inside", "kept");
    EXPECT_NE(0, ReplaceFileAtomically(folder, "lost", 0666));
    EXPECT_EQ("kept", ZAVTest::ReadText(folder + "/inside"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    // A missing folder fails before anything is written.
    EXPECT_EQ(ENOENT, ReplaceFileAtomically(dir.File("missing/doc.pdf"), "x", 0666));
}
