#include "foundation/files/FileUtils.h"

#include "foundation/files/FileHandle.h"
#include "platform/LastError.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using ZAV::String;
using ZAVTest::ThrownText;

namespace {

std::vector<std::string> Texts(const std::vector<String>& strings)
{
    std::vector<std::string> texts;
    for (const String& s : strings)
        texts.push_back(s.GetText());
    return texts;
}

}  // namespace

TEST(FileUtils, ExistenceOfFilesAndFolders)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("f.txt"), "x");
    struct Case {
        std::string path;
        bool file, path_, folder;
    };
    const Case cases[] = {
        {dir.File("f.txt"), true, true, false},
        {dir.Path(), false, true, true},
        {dir.Path() + "/", false, true, true},  // a trailing separator names the same folder
        {"/", false, true, true},
        {dir.File("missing"), false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZAV::FileExists(c.path.c_str()), c.file) << c.path;
        EXPECT_EQ(ZAV::FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(ZAV::PathExists(c.path.c_str()), c.path_) << c.path;
        EXPECT_EQ(ZAV::IsFolder(c.path.c_str()), c.folder) << c.path;
    }
}

TEST(FileUtils, WholeFileWriteAndRead)
{
    ZAVTest::TempDir dir;
    std::vector<unsigned char> bytes(1000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    ASSERT_TRUE(ZAV::WriteBufferToFile(bytes.data(), bytes.size(), dir.File("a.bin").c_str()));
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("a.bin")), bytes);
    EXPECT_EQ(ZAV::GetFileSizeByName(dir.File("a.bin").c_str()), 1000u);

    unsigned char* buffer = nullptr;
    size_t size = 0;
    ASSERT_TRUE(ZAV::ReadFileToBuffer(dir.File("a.bin").c_str(), buffer, size));
    ASSERT_EQ(size, 1000u);
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + size), bytes);
    EXPECT_EQ(buffer[size], 0);  // a zero behind the data
    delete[] buffer;

    ASSERT_TRUE(ZAV::WriteBufferToFile(nullptr, 0, dir.File("empty").c_str()));
    ASSERT_TRUE(ZAV::ReadFileToBuffer(dir.File("empty").c_str(), buffer, size));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer[0], 0);
    delete[] buffer;

    const std::string missing = dir.File("missing") + "/a.bin";
    EXPECT_FALSE(ZAV::WriteBufferToFile(bytes.data(), bytes.size(), missing.c_str()));
    EXPECT_EQ(ZAV::GetFileSizeByName(missing.c_str()), 0u);
    EXPECT_EQ(ZAV::GetFileSizeByName(dir.Path().c_str()), 0u);
    // Neither a missing file nor a folder yields a buffer.
    for (const std::string& name : {missing, dir.Path()}) {
        buffer = reinterpret_cast<unsigned char*>(1);
        EXPECT_FALSE(ZAV::ReadFileToBuffer(name.c_str(), buffer, size)) << name;
        EXPECT_EQ(buffer, nullptr);
        EXPECT_EQ(size, 0u);
    }
}

TEST(FileUtils, ReadTextFileLines)
{
    ZAVTest::TempDir dir;
    const std::string longLine(30000, 'L');
    struct Case {
        std::string text;
        bool keepEmpty;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\n\r\nb\r\n", true, {"a", "", "b"}},
        {"a\r\n\r\nb\r\n", false, {"a", "b"}},
        {"a\nb", true, {"a", "b"}},             // last line without a line end
        {"a\n\n", true, {"a", ""}},
        {"x\ry\nz", true, {"x", "z"}},          // cut at the first CR
        {"", true, {}},
        {longLine + "\n" + longLine + "x", true, {longLine, longLine + "x"}},  // long lines stay whole
    };
    for (const Case& c : cases) {
        ZAVTest::WriteText(dir.File("t.txt"), c.text);
        std::vector<String> lines;
        ZAV::ReadTextFileLines(dir.File("t.txt").c_str(), lines, c.keepEmpty);
        EXPECT_EQ(Texts(lines), c.lines) << c.text.substr(0, 20);
    }
    const std::string missing = dir.File("missing.txt");
    std::vector<String> lines;
    EXPECT_EQ(ThrownText([&] { ZAV::ReadTextFileLines(missing.c_str(), lines, true); }),
              "Cannot open file '" + missing + "'!");
}

TEST(FileUtils, EnumerateFilesSortedWithCaseInsensitiveMasks)
{
    ZAVTest::TempDir dir;
    for (const char* name : {"b.gif", "A.JPG", "c.jpg", "Z.Gif", "d.JpG", "notes.txt", "README"})
        ZAVTest::WriteText(dir.File(name), "x");
    mkdir(dir.File("Folder.jpg").c_str(), 0755);
    const std::string d = dir.Path() + "/";

    std::vector<String> found;
    ZAV::EnumerateFiles(dir.Path().c_str(), "*.JPG;*.gif", found, true);
    EXPECT_EQ(Texts(found), (std::vector<std::string>{d + "A.JPG", d + "Z.Gif", d + "b.gif", d + "c.jpg", d + "d.JpG"}));

    // With a trailing separator the same files; without clear they add up.
    ZAV::EnumerateFiles(d.c_str(), "*.txt", found, false);
    EXPECT_EQ(found.size(), 6u);
    EXPECT_EQ(std::string(found.back().GetText()), d + "notes.txt");

    ZAV::EnumerateFiles(dir.Path().c_str(), "*.*", found, true);
    EXPECT_EQ(found.size(), 7u);  // README has no dot and still matches
    ZAV::EnumerateFiles(dir.Path().c_str(), "*.jpg", found, true, true, false);
    EXPECT_EQ(Texts(found), (std::vector<std::string>{d + "Folder.jpg"}));

    ZAVTest::TempDir empty;
    ZAV::EnumerateFiles(empty.Path().c_str(), "*.*", found, true);
    EXPECT_TRUE(found.empty());
    ZAV::EnumerateFiles(dir.File("missing").c_str(), "*.*", found, true);
    EXPECT_TRUE(found.empty());
}

TEST(FileUtils, DeletingAndTemporaryFiles)
{
    ZAVTest::TempDir dir;
    std::string folder, name;
    {
        ZAVTest::ScopedEnv tmp("TMPDIR", dir.Path());
        folder = ZAV::GetTempFolder().GetText();
        name = ZAV::MakeTempFileName("zav").GetText();
    }

    EXPECT_EQ(folder, dir.Path() + "/");
    EXPECT_EQ(name.substr(0, folder.size() + 3), folder + "zav");
    EXPECT_TRUE(ZAV::FileExists(name));
    ZAV::DeleteFileChecked(name.c_str());
    EXPECT_FALSE(ZAV::FileExists(name));
    EXPECT_EQ(ThrownText([&] { ZAV::DeleteFileChecked(name.c_str()); }),
              "Can't delete file '" + name + "'! " + GetSystemErrorText(ERROR_FILE_NOT_FOUND));
}

TEST(FileUtils, FileHandle)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("f"), "12345");
    ZAV::CFileHandle file;
    file.Open(dir.File("f").c_str(), "rb");
    EXPECT_EQ(std::string(file.GetName().GetText()), dir.File("f"));
    std::fgetc(file.GetFile());
    EXPECT_EQ(file.GetSize(), 5u);
    EXPECT_EQ(std::fgetc(file.GetFile()), '1');  // back at the start
    file.Close();
    EXPECT_EQ(file.GetFile(), nullptr);
    EXPECT_STREQ(file.GetName().GetText(), "");
    const std::string missing = dir.File("none/x");
    EXPECT_EQ(ThrownText([&] { file.Open(missing.c_str(), "rb"); }), "Cannot open file '" + missing + "'!");
}

TEST(FileUtils, ModulePathIsTheProgram)
{
    char self[4096] = "";
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    const std::string path(self, static_cast<size_t>(n));
    EXPECT_EQ(std::string(ZAV::GetModulePath(nullptr).GetText()), path);
    EXPECT_EQ(std::string(ZAV::GetModuleDirectory(nullptr).GetText()), path.substr(0, path.rfind('/') + 1));
}
